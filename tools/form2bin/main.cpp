// form2bin <design.txt> <design.bin> [-I <dir>]... [--depfile <file>] [--packed <file>]
// Turns a design's text form into its binary form. Files named by @file and @bitmap are looked up in
// the design's own directory, then in each -I directory. --packed also writes the packed form that
// programs embed.
#include "ui/framework/format/design_pack.h"
#include "ui/framework/format/form_text.h"

#include <iconv.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct IconvCloser {
    void operator()(iconv_t cd) const { iconv_close(cd); }
};

std::string Utf8ToCp949(std::string_view utf8) {
    iconv_t cd = iconv_open("CP949", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error("iconv cannot convert UTF-8 to CP949");
    std::unique_ptr<void, IconvCloser> guard(cd);
    std::string in(utf8);
    std::string out(in.size() * 2 + 1, '\0');
    char* inPtr = in.data();
    std::size_t inLeft = in.size();
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1))
        throw std::runtime_error("text not representable in CP949: '" + std::string(utf8) + "'");
    out.resize(out.size() - outLeft);
    return out;
}

// Make-style dependency files separate names by blanks.
std::string DepfileName(const fs::path& path) {
    std::string escaped;
    for (char c : path.string()) {
        if (c == ' ')
            escaped += '\\';
        escaped += c;
    }
    return escaped;
}

bool WriteAll(const fs::path& path, std::span<const std::uint8_t> bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        std::cerr << "cannot write " << path.string() << "\n";
    return static_cast<bool>(out);
}

std::vector<std::uint8_t> ReadAll(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw std::runtime_error("cannot open " + path.string());
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

int Run(int argc, char** argv) {
    std::vector<fs::path> searchDirs;
    std::vector<std::string> positional;
    std::string depfile;
    std::string packed;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "-I" && i + 1 < argc)
            searchDirs.emplace_back(argv[++i]);
        else if (arg == "--depfile" && i + 1 < argc)
            depfile = argv[++i];
        else if (arg == "--packed" && i + 1 < argc)
            packed = argv[++i];
        else
            positional.push_back(arg);
    }
    if (positional.size() != 2) {
        std::cerr << "usage: form2bin <design.txt> <design.bin> [-I <dir>]... [--depfile <file>] "
                     "[--packed <file>]\n";
        return 2;
    }
    const fs::path input = positional[0];
    const fs::path output = positional[1];
    searchDirs.insert(searchDirs.begin(), input.parent_path());

    std::vector<fs::path> used = {input};
    TFormTextHost host;
    host.convertString = Utf8ToCp949;
    host.readFile = [&](const std::string& name) {
        for (const fs::path& dir : searchDirs) {
            const fs::path candidate = dir / name;
            if (fs::is_regular_file(candidate)) {
                used.push_back(fs::absolute(candidate));
                return ReadAll(candidate);
            }
        }
        throw std::runtime_error("file '" + name + "' not found beside the design or in a -I directory");
    };

    const std::vector<std::uint8_t> text = ReadAll(input);
    TMemoryStream binary;
    try {
        ObjectTextToBinary(std::string_view(reinterpret_cast<const char*>(text.data()), text.size()), binary,
                           host);
    } catch (const std::exception& e) {
        std::cerr << input.string() << ": " << e.what() << "\n";
        return 1;
    }
    if (!WriteAll(output, binary.Bytes()) ||
        (!packed.empty() && !WriteAll(packed, PackDesign(binary.Bytes()))))
        return 1;
    if (!depfile.empty()) {
        std::ofstream dep(depfile, std::ios::trunc);
        dep << DepfileName(output) << ":";
        for (const fs::path& path : used)
            dep << " \\\n  " << DepfileName(path);
        dep << "\n";
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    try {
        return Run(argc, argv);
    } catch (const std::exception& e) {
        std::cerr << "form2bin: " << e.what() << "\n";
        return 1;
    }
}
