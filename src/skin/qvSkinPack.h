#pragma once
// The skin package: one file (or the bytes of a stored skin) holding the options file and the
// pictures of a skin, each member compressed with zlib.
//
//   "QKzf" | int32 count | count x (int32 name length | name | int32 unpacked size | zlib stream)
//
// All integers are little-endian. The compressed length is not stored: a member ends where its
// zlib stream ends.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

using TMemoryStream = std::vector<uint8_t>;

struct TqvImageItem {
    std::string FileName;  // the member name as stored
    bool IsBitmap = false; // the name's extension, in upper case, is ".BMP"
    std::unique_ptr<TMemoryStream> Data;
};
using TqvImageItems = std::vector<TqvImageItem>;

// Reads one package; one object per unpacking.
class TqvSkinConvertor {
  public:
    // The largest package we read from a file; larger files are refused before reading.
    static constexpr size_t kMaxPackageBytes = 256u * 1024 * 1024;

    int32_t ItemCount = 0; // member count minus one
    TqvImageItems ImageItems;
    std::unique_ptr<TMemoryStream> Options;
    int32_t OptionsIndex = -1; // the options member's place among all members, for listings
    std::unique_ptr<TMemoryStream> PackedData;
    std::string SourceName; // the package's file or skin name, for error messages

    TqvSkinConvertor() = default;
    TqvSkinConvertor(const TqvSkinConvertor&) = delete;
    TqvSkinConvertor& operator=(const TqvSkinConvertor&) = delete;

    // Reads PackedData from its start. A wrong magic shows the warning box, clears the reader
    // and returns false. Data that runs past its end or a damaged member raises EReadError; the
    // reader is cleared then too, so nothing half-read is ever used.
    bool UnpackSkin();
    // Releases every item and the options and packed data.
    void ClearItems();

    // The image member whose name in upper case equals the given text, or null.
    const TqvImageItem* FindItem(std::string_view upperCaseName) const;

  private:
    void UnpackMembers();
};

// Reads a package file (Windows-style path) into the reader, creating the reader when it is
// null and clearing it otherwise, and unpacks it. With releaseSource the packed bytes are
// dropped afterwards. Returns false for a missing file or a refused package; raises EReadError
// for a file that cannot be read or whose members are damaged.
bool LoadSkinPackage(std::string_view fileName, std::unique_ptr<TqvSkinConvertor>& reader,
                     bool releaseSource);

// The writer, for the tools that build packages.
struct TqvPackMember {
    std::string Name;
    std::vector<uint8_t> Data;
};
std::vector<uint8_t> PackSkin(const std::vector<TqvPackMember>& members);
