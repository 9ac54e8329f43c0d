#include "helpunits.h"

#include "hh.h"

#include <dlfcn.h>
#include <unistd.h>

#include <vector>

HelpUnits::HelpUnits()
{
    load(registeredEnginePath());
}

HelpUnits::HelpUnits(const std::string &modulePath)
{
    load(modulePath);
}

HelpUnits::~HelpUnits()
{
    // Nobody may call into the module once it is gone.
    hh::HtmlHelpA = nullptr;
    if (m_module != nullptr) {
        dlclose(m_module);
    }
}

void HelpUnits::load(const std::string &modulePath)
{
    hh::HtmlHelpA = nullptr;
    if (modulePath.empty() || access(modulePath.c_str(), F_OK) != 0) {
        return;
    }
    // RTLD_NOW: a module with unresolved symbols fails here, not at the first help request.
    m_module = dlopen(modulePath.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (m_module == nullptr) {
        return;
    }
    void *entry = dlsym(m_module, "HtmlHelpA");
    if (entry == nullptr) {
        // Without its entry the module is of no use; free it at once.
        dlclose(m_module);
        m_module = nullptr;
        return;
    }
    hh::HtmlHelpA = reinterpret_cast<hh::HtmlHelpAProc>(entry);
}

std::string HelpUnits::registeredEnginePath()
{
    const std::string folder = executableFolder();
    return folder.empty() ? std::string() : folder + EngineFileName;
}

std::string HelpUnits::executableFolder()
{
    // Runs before the application object exists, so Qt cannot tell us yet.
    const std::string path = ExecutablePath();
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}
