#pragma once

#include "core/help/ProbeFiles.h"
#include "core/help/ShellApi.h"

#include <filesystem>
#include <functional>
#include <string>

namespace orvex {

// The maker's web site, opened by Help > About us...
inline constexpr const char* kMakerWebAddress = "https://www.orvex-software.example/";

// Created for a moment beside the program so that the shell can say which
// program opens web pages.
inline constexpr const char* kProbeFileName = "x27z42j.html";

inline constexpr const char* kOutOfMemoryText = "Sorry out of memory, please close some programs and try again.";
inline constexpr const char* kNoBrowserText = "Unable to find Web Browser.";
inline constexpr const char* kLaunchFailedText = "Unable to launch Web Browser.";

// Where the command's messages go: a message box captioned "Orvex" with an
// OK button only, or a recorder in tests.
class AboutMessages {
public:
    virtual ~AboutMessages() = default;
    virtual void show(const std::string& text) = 0;
};

// Help > About us...: asks the shell whether a browser is registered for web
// pages, by way of an empty probe file, and opens the maker's site in it.
// Every failure ends in one message; nothing throws out of run().
//
// The probe is made beside the program only where nothing of its name is
// there, and removed only if this command made it. When the program's folder
// may not be written (an installed program) it goes into a private folder
// that the command makes in the temporary folder and removes afterwards:
// never to a fixed name in a folder that other users share.
class AboutCommand {
public:
    // `processPendingEvents` runs just before the browser is started, so that
    // the window can repaint; it may be empty.
    AboutCommand(ShellApi& shell, AboutMessages& messages, ProbeFiles& files, std::filesystem::path programDirectory,
                 std::function<void()> processPendingEvents = {});

    void run();

    // "Error Number: " and the number.
    static std::string errorNumberText(int number);
    // "An error has occured." with the error's number and description.
    static std::string runtimeErrorText(int number, const std::string& description);

private:
    void findAndLaunch();
    void makeProbe();
    void cleanUp() noexcept;

    ShellApi& shell_;
    AboutMessages& messages_;
    ProbeFiles& files_;
    std::filesystem::path programDirectory_;
    std::filesystem::path probeDirectory_; // where the probe was made
    std::filesystem::path privateFolder_;  // made by this run, when not empty
    std::function<void()> processPendingEvents_;
    bool probeCreated_ = false;
};

} // namespace orvex
