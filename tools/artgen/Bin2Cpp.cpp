// bin2cpp [--function NAME --header HEADER] OUT.cpp FILE...: writes a C++ source that holds
// each file as a byte array and defines NAME (declared in HEADER; ArtFile of shell/ArtData.h
// when not given), which finds them by file name.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

bool ReadFile(const std::filesystem::path& path, std::vector<unsigned char>* bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

// File names become C++ string literals; only plain names are embedded, so anything that
// would need escaping is refused rather than quoted.
bool IsPlainName(const std::string& name) {
    if (name.empty()) return false;
    for (char c : name)
        if (c == '"' || c == '\\' || static_cast<unsigned char>(c) < 0x20) return false;
    return true;
}

void WriteArray(std::ofstream& out, size_t index, const std::vector<unsigned char>& bytes) {
    // One byte more than the file so that an empty file still makes a valid array.
    out << "const uint8_t kFile" << index << "[" << bytes.size() + 1 << "] = {";
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (i % 20 == 0) out << "\n   ";
        out << ' ' << unsigned(bytes[i]) << ',';
    }
    out << "\n    0};\n\n";
}

} // namespace

int main(int argc, char** argv) {
    std::string function = "ArtFile", header = "shell/ArtData.h";
    int first = 1;
    if (argc >= 5 && std::string(argv[1]) == "--function" && std::string(argv[3]) == "--header") {
        function = argv[2];
        header = argv[4];
        first = 5;
    }
    if (argc <= first || !IsPlainName(function) || !IsPlainName(header)) {
        std::fprintf(stderr, "usage: bin2cpp [--function NAME --header HEADER] OUT.cpp FILE...\n");
        return 2;
    }
    const char* outPath = argv[first];
    std::ofstream out(outPath, std::ios::binary);
    if (!out) {
        std::fprintf(stderr, "bin2cpp: cannot write %s\n", outPath);
        return 1;
    }
    out << "// Written by bin2cpp; do not edit.\n#include \"" << header
        << "\"\n\n#include <cstddef>\n\nnamespace {\n\n";
    std::vector<std::string> names;
    std::vector<size_t> sizes;
    for (int i = first + 1; i < argc; ++i) {
        std::vector<unsigned char> bytes;
        const std::filesystem::path path(argv[i]);
        const std::string name = path.filename().string();
        if (!IsPlainName(name) || !ReadFile(path, &bytes)) {
            std::fprintf(stderr, "bin2cpp: cannot embed %s\n", argv[i]);
            return 1;
        }
        WriteArray(out, names.size(), bytes);
        names.push_back(name);
        sizes.push_back(bytes.size());
    }
    out << "struct TEmbeddedFile {\n    std::string_view Name;\n    const uint8_t* Data;\n"
           "    size_t Size;\n};\n\nconst TEmbeddedFile kFiles[] = {\n";
    for (size_t i = 0; i < names.size(); ++i)
        out << "    {\"" << names[i] << "\", kFile" << i << ", " << sizes[i] << "},\n";
    out << "    {\"\", nullptr, 0},\n};\n\n} // namespace\n\n"
           "std::span<const uint8_t> "
        << function
        << "(std::string_view name) {\n"
           "    for (const TEmbeddedFile& file : kFiles)\n"
           "        if (file.Data && file.Name == name) return {file.Data, file.Size};\n"
           "    return {};\n}\n";
    out.close();
    if (!out) {
        std::fprintf(stderr, "bin2cpp: cannot write %s\n", outPath);
        return 1;
    }
    return 0;
}
