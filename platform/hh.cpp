#include "hh.h"

namespace hh {

HtmlHelpAProc HtmlHelpA = nullptr;

} // namespace hh
