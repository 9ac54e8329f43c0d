#include "system.h"

#include <QApplication>
#include <QFile>
#include <QLocale>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

#include <vector>

#ifdef __linux__
#include <sys/sysinfo.h>
#include <unistd.h>
#endif

namespace {

// Never dereferenced: the help engine only compares it to tell "the desktop" from "none".
char desktopToken;

constexpr SIZE_T sizeMax = std::numeric_limits<SIZE_T>::max();

// a * b, or the largest value when that does not fit.
SIZE_T saturatedProduct(std::uint64_t a, std::uint64_t b)
{
    std::uint64_t product = 0;
    if (__builtin_mul_overflow(a, b, &product) || product > sizeMax) {
        return sizeMax;
    }
    return SIZE_T(product);
}

SIZE_T saturatedSum(SIZE_T a, SIZE_T b)
{
    return a > sizeMax - b ? sizeMax : a + b;
}

// The figure of one /proc/meminfo line ("MemTotal:  16315872 kB") in bytes, if the line is
// there and readable. A figure without a unit is a count of bytes.
bool memInfoField(std::string_view text, std::string_view key, SIZE_T &bytes)
{
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        if (line.size() <= key.size() || line.substr(0, key.size()) != key ||
            line[key.size()] != ':') {
            continue;
        }
        line.remove_prefix(key.size() + 1);
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) {
            line.remove_prefix(1);
        }
        std::uint64_t value = 0;
        const auto [rest, error] = std::from_chars(line.data(), line.data() + line.size(), value);
        if (error == std::errc::result_out_of_range) {
            bytes = sizeMax;
            return true;
        }
        if (error != std::errc()) {
            return false;
        }
        std::string_view unit(rest, std::size_t(line.data() + line.size() - rest));
        while (!unit.empty() && unit.front() == ' ') {
            unit.remove_prefix(1);
        }
        bytes = saturatedProduct(value, unit.empty() ? 1 : 1024);
        return true;
    }
    return false;
}

void systemMemoryStatus(MEMORYSTATUS &status)
{
#ifdef __linux__
    // /proc/meminfo is read whole in one go: the kernel builds it anew for every read.
    std::string text;
    if (std::FILE *file = std::fopen("/proc/meminfo", "re")) {
        char buffer[4096];
        std::size_t n = 0;
        while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
            text.append(buffer, n);
        }
        std::fclose(file);
    }
    status = MemoryStatusFromMemInfo(text);
    if (status.dwTotalPhys == 0) {
        // Without /proc (a bare container), the kernel still answers sysinfo(), though with no
        // estimate of the memory that caches would give back.
        struct sysinfo info
        {
        };
        if (sysinfo(&info) == 0) {
            const std::uint64_t unit = info.mem_unit == 0 ? 1 : info.mem_unit;
            MEMORYSTATUS fallback;
            fallback.dwTotalPhys = saturatedProduct(info.totalram, unit);
            fallback.dwAvailPhys = std::min(fallback.dwTotalPhys,
                                            saturatedSum(saturatedProduct(info.freeram, unit),
                                                         saturatedProduct(info.bufferram, unit)));
            fallback.dwTotalPageFile =
                saturatedSum(fallback.dwTotalPhys, saturatedProduct(info.totalswap, unit));
            fallback.dwAvailPageFile =
                saturatedSum(fallback.dwAvailPhys, saturatedProduct(info.freeswap, unit));
            const double used = double(fallback.dwTotalPhys - fallback.dwAvailPhys);
            fallback.dwMemoryLoad =
                fallback.dwTotalPhys == 0
                    ? 0
                    : DWORD(std::lround(used * 100.0 / double(fallback.dwTotalPhys)));
            status = fallback;
        }
    }
#else
    status = MEMORYSTATUS();
#endif
}

} // namespace

HWND GetDesktopWindow()
{
    return &desktopToken;
}

bool MessageBeep(UINT uType)
{
    if (seams::messageBeep) {
        return seams::messageBeep(uType);
    }
    // The toolkit has one sound, the default one, which is the only kind the program asks for.
    QApplication::beep();
    return true;
}

void GlobalMemoryStatus(MEMORYSTATUS *lpBuffer)
{
    if (lpBuffer == nullptr) {
        return;
    }
    MEMORYSTATUS status;
    if (seams::globalMemoryStatus) {
        seams::globalMemoryStatus(status);
    } else {
        systemMemoryStatus(status);
    }
    status.dwLength = sizeof(MEMORYSTATUS);
    *lpBuffer = status;
}

MEMORYSTATUS MemoryStatusFromMemInfo(std::string_view meminfo)
{
    MEMORYSTATUS status;
    SIZE_T total = 0;
    if (!memInfoField(meminfo, "MemTotal", total)) {
        return status;
    }
    SIZE_T available = 0;
    if (!memInfoField(meminfo, "MemAvailable", available)) {
        // Kernels before 3.14 give no estimate: free memory and what the caches hold is the
        // closest figure they offer.
        SIZE_T free = 0;
        SIZE_T buffers = 0;
        SIZE_T cached = 0;
        memInfoField(meminfo, "MemFree", free);
        memInfoField(meminfo, "Buffers", buffers);
        memInfoField(meminfo, "Cached", cached);
        available = saturatedSum(saturatedSum(free, buffers), cached);
    }
    available = std::min(available, total);
    SIZE_T swapTotal = 0;
    SIZE_T swapFree = 0;
    memInfoField(meminfo, "SwapTotal", swapTotal);
    memInfoField(meminfo, "SwapFree", swapFree);

    status.dwTotalPhys = total;
    status.dwAvailPhys = available;
    status.dwTotalPageFile = saturatedSum(total, swapTotal);
    status.dwAvailPageFile = saturatedSum(available, std::min(swapFree, swapTotal));
    if (total > 0) {
        status.dwMemoryLoad = DWORD(std::lround(double(total - available) * 100.0 / double(total)));
    }
    return status;
}

QString LocaleThousandSeparator()
{
    if (seams::localeThousandSeparator) {
        return seams::localeThousandSeparator();
    }
    const QLocale locale = QLocale::system();
    if (locale.numberOptions().testFlag(QLocale::OmitGroupSeparator)) {
        return QString();
    }
    return locale.groupSeparator();
}

std::string ExecutablePath()
{
#ifdef __linux__
    // Works before the application object exists, and keeps the bytes as they are.
    std::vector<char> buffer(256);
    for (;;) {
        const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (length < 0) {
            return {};
        }
        if (static_cast<std::size_t>(length) < buffer.size()) {
            return std::string(buffer.data(), static_cast<std::size_t>(length));
        }
        if (buffer.size() >= 65536) {
            return {};
        }
        buffer.resize(buffer.size() * 2);
    }
#else
    return QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString();
#endif
}
