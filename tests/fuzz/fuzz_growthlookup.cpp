// The growth lookup with any sex index and any text as the age: it answers the row whose key
// is exactly that text in the half of that sex, or no row, and never reads outside its table.
//
// Input: 4 bytes of sex index (host order), then the age text. The text is tried twice, as
// UTF-8 (what a person's typing becomes) and as raw UTF-16 code units, lone surrogates and
// all (what a QString may hold).

#include "fuzzcheck.h"
#include "growthtable.h"

#include <QLatin1StringView>
#include <QString>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

void checkLookup(int sex, const QString &text)
{
    const growth::Row *row = growth::Lookup(sex, text);
    const auto keys = growth::AgeKeys();
    const bool isKey = (sex == growth::SexMasculin || sex == growth::SexFeminin) &&
                       std::any_of(keys.begin(), keys.end(), [&text](std::string_view key) {
                           return text == QLatin1StringView(key.data(), qsizetype(key.size()));
                       });
    fuzzCheck((row != nullptr) == isKey, "a row exactly when the text is a key of a sex");
    if (row == nullptr) {
        return;
    }
    const auto rows = growth::Rows(sex);
    fuzzCheck(row >= rows.data() && row < rows.data() + rows.size(), "the row is of that sex");
    fuzzCheck(text == QLatin1StringView(row->age.data(), qsizetype(row->age.size())),
              "the row's key is the text");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    std::int32_t sex = 0;
    if (size >= sizeof sex) {
        std::memcpy(&sex, data, sizeof sex);
        data += sizeof sex;
        size -= sizeof sex;
    }
    checkLookup(sex, QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size)));

    QString units(qsizetype(size / 2), Qt::Uninitialized);
    std::memcpy(units.data(), data, size / 2 * 2);
    checkLookup(sex, units);
    return 0;
}
