#pragma once

#include <string>

// The life of the help units: at start-up they load the HTML Help engine from its registered
// place and fetch its entry into hh::HtmlHelpA; when they are destroyed they empty the entry
// and free the engine. Declare one in main() before the application object, so that it is
// destroyed after the main window: the main window's last call, close-all, needs a live engine.
//
// Any failure (no module, a module that does not load, a module without the entry) leaves the
// entry empty and is not reported: the program runs on without help.
class HelpUnits
{
public:
    // Loads the engine from its registered place.
    HelpUnits();
    // Loads the engine from the given 8-bit path.
    explicit HelpUnits(const std::string &modulePath);
    ~HelpUnits();

    HelpUnits(const HelpUnits &) = delete;
    HelpUnits &operator=(const HelpUnits &) = delete;

    bool isLoaded() const { return m_module != nullptr; }

    // Where the engine is registered: beside the executable, under a fixed name.
    // A Windows build would read the engine's class registration here instead.
    static std::string registeredEnginePath();

    // The folder of the running executable, with its trailing separator, or empty when the
    // system does not tell.
    static std::string executableFolder();

    static constexpr const char *EngineFileName = "helpengine.so";

private:
    void load(const std::string &modulePath);

    void *m_module = nullptr;
};
