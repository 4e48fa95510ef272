#pragma once

namespace orvex::gui {

// What the windows take from the desktop: the primary screen's width and the
// mouse pointer shape. Tests answer with a fixed width and record shapes.
class ScreenObject {
public:
    static constexpr int kDefaultPointer = 0;
    static constexpr int kHourglass = 11;

    virtual ~ScreenObject() = default;
    virtual int primaryScreenWidth() const = 0;
    virtual void setMousePointer(int shape) = 0;
    virtual int mousePointer() const = 0;
};

// The real desktop through Qt.
class QtScreenObject final : public ScreenObject {
public:
    ~QtScreenObject() override;
    int primaryScreenWidth() const override;
    void setMousePointer(int shape) override;
    int mousePointer() const override { return shape_; }

private:
    int shape_ = kDefaultPointer;
};

} // namespace orvex::gui
