// The engine's one entry, called by the program through the pointer that its help units
// fetch when they load this module.

#include "helpengine.h"
#include "helpwindow.h"
#include "hh.h"

#include <QApplication>

#include <memory>
#include <type_traits>

namespace {

// The engine exists from the first request to close-all. Should the module be freed while
// windows are still open, they go with it, as long as there is still an application to
// destroy them in; after the application is gone there is nothing left to tidy up.
class EngineInstance
{
public:
    ~EngineInstance()
    {
        if (QCoreApplication::instance() == nullptr) {
            static_cast<void>(m_engine.release());
        }
    }

    HelpEngine &get()
    {
        if (m_engine == nullptr) {
            m_engine = std::make_unique<HelpEngine>();
        }
        return *m_engine;
    }

    void reset() { m_engine.reset(); }

private:
    std::unique_ptr<HelpEngine> m_engine;
};

EngineInstance engine;

HWND htmlHelp(HWND /*owner*/, const char *file, unsigned command)
{
    // Windows need a running widget application; without one the engine can do nothing.
    if (qobject_cast<QApplication *>(QCoreApplication::instance()) == nullptr) {
        return nullptr;
    }
    switch (command) {
    case hh::HH_DISPLAY_TOPIC:
        if (file == nullptr || *file == '\0') {
            return nullptr;
        }
        return engine.get().displayTopic(QByteArray(file));
    case hh::HH_CLOSE_ALL:
        engine.reset();
        return nullptr;
    default:
        return nullptr;
    }
}

} // namespace

extern "C" Q_DECL_EXPORT HWND HtmlHelpA(HWND hwndCaller, const char *pszFile, unsigned uCommand,
                                        std::uintptr_t /*dwData*/)
{
    static_assert(std::is_same_v<decltype(&HtmlHelpA), hh::HtmlHelpAProc>,
                  "the entry must match what the help units expect");
    // Nothing may be thrown across the module's edge.
    try {
        return htmlHelp(hwndCaller, pszFile, uCommand);
    } catch (...) {
        return nullptr;
    }
}
