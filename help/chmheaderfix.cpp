// Finishes a help file as the help compiler leaves it: checks that it is one, writes the
// second header GUID that readers expect, and puts the result in place only when all went
// well, so that a failed build never leaves a half-written help file beside the program.
//
//   chmheaderfix <compiled file> <destination>

#include <array>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

// The help compiler we use (chmcmd 3.2.2) writes the first GUID of the header twice. The
// format wants {7C01FD10-7BAA-11D0-9E0C-00A0C922E6EC} at 0x18 and
// {7C01FD11-7BAA-11D0-9E0C-00A0C922E6EC} at 0x28; readers that check both (libmspack, which
// our help engine uses, does) refuse the file without the fix.
constexpr std::size_t FirstGuidOffset = 0x18;
constexpr std::size_t SecondGuidOffset = 0x28;
constexpr std::array<unsigned char, 16> FirstGuid{0x10, 0xfd, 0x01, 0x7c, 0xaa, 0x7b, 0xd0, 0x11,
                                                  0x9e, 0x0c, 0x00, 0xa0, 0xc9, 0x22, 0xe6, 0xec};
constexpr std::array<unsigned char, 16> SecondGuid{0x11, 0xfd, 0x01, 0x7c, 0xaa, 0x7b, 0xd0, 0x11,
                                                   0x9e, 0x0c, 0x00, 0xa0, 0xc9, 0x22, 0xe6, 0xec};

int fail(const char *message)
{
    std::fprintf(stderr, "chmheaderfix: %s\n", message);
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 3) {
        return fail("usage: chmheaderfix <compiled file> <destination>");
    }
    std::ifstream input(argv[1], std::ios::binary);
    if (!input) {
        return fail("the help compiler wrote no file");
    }
    std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(input), {}};
    if (bytes.size() < SecondGuidOffset + SecondGuid.size() ||
        std::memcmp(bytes.data(), "ITSF", 4) != 0 ||
        std::memcmp(bytes.data() + FirstGuidOffset, FirstGuid.data(), FirstGuid.size()) != 0) {
        return fail("the help compiler's output is not a compiled help file");
    }
    std::memcpy(bytes.data() + SecondGuidOffset, SecondGuid.data(), SecondGuid.size());

    const std::filesystem::path destination(argv[2]);
    std::filesystem::path partial = destination;
    partial += ".part";
    {
        std::ofstream output(partial, std::ios::binary | std::ios::trunc);
        output.write(reinterpret_cast<const char *>(bytes.data()),
                     static_cast<std::streamsize>(bytes.size()));
        if (!output.flush()) {
            return fail("cannot write the help file");
        }
    }
    std::error_code error;
    std::filesystem::rename(partial, destination, error);
    if (error) {
        std::filesystem::remove(partial, error);
        return fail("cannot put the help file in place");
    }
    return 0;
}
