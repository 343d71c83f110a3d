#include "skin/qvSkinPack.h"

#include <algorithm>
#include <cstring>
#include <zlib.h>

#include "platform/core/Errors.h"
#include "platform/core/FileSystem.h"
#include "platform/core/StrUtils.h"
#include "platform/dialogs/MessageBox.h"

namespace {

constexpr char kMagic[4] = {'Q', 'K', 'z', 'f'};
// deflate cannot expand data by more than about 1032:1; a declared size beyond that for the
// bytes that are left is a lie we refuse before allocating.
constexpr uint64_t kMaxInflateRatio = 1032;

// A bounds-checked little-endian reader over the packed bytes.
class PackReader {
  public:
    PackReader(const TMemoryStream& data, std::string source)
        : data_(data), source_(std::move(source)) {}

    int32_t ReadInt32(const char* what) {
        Need(4, what);
        uint32_t v = uint32_t(data_[pos_]) | uint32_t(data_[pos_ + 1]) << 8 |
                     uint32_t(data_[pos_ + 2]) << 16 | uint32_t(data_[pos_ + 3]) << 24;
        pos_ += 4;
        return int32_t(v);
    }

    std::string ReadText(size_t length, const char* what) {
        Need(length, what);
        std::string s(reinterpret_cast<const char*>(data_.data() + pos_), length);
        pos_ += length;
        return s;
    }

    bool AtMagic() const { return data_.size() >= 4 && std::memcmp(data_.data(), kMagic, 4) == 0; }
    void Skip(size_t n) { pos_ += n; }
    size_t Position() const { return pos_; }
    size_t Remaining() const { return data_.size() - pos_; }
    const uint8_t* Current() const { return data_.data() + pos_; }

    [[noreturn]] void Fail(const std::string& what) const {
        throw EReadError(source_ + ": " + what);
    }

  private:
    void Need(size_t n, const char* what) const {
        if (Remaining() < n)
            Fail(std::string(what) + " runs past the end of the data (at byte " +
                 std::to_string(pos_) + ")");
    }

    const TMemoryStream& data_;
    const std::string source_;
    size_t pos_ = 0;
};

// Inflates exactly `size` bytes from one zlib stream starting at the reader's position and
// moves the reader past the stream's end. The stream must end (with a valid checksum) right
// after those bytes.
std::unique_ptr<TMemoryStream> InflateMember(PackReader& in, int32_t size,
                                             const std::string& name) {
    const std::string member = "member \"" + name + "\"";
    if (size < 0) in.Fail(member + ": negative size " + std::to_string(size));
    if (uint64_t(size) > uint64_t(in.Remaining()) * kMaxInflateRatio + 64)
        in.Fail(member + ": declared size " + std::to_string(size) +
                " is impossible for the data that is left");

    auto out = std::make_unique<TMemoryStream>(size_t(size));
    z_stream z{};
    if (inflateInit(&z) != Z_OK) in.Fail(member + ": cannot start decompression");
    z.next_in = const_cast<Bytef*>(in.Current());
    z.avail_in = uInt(std::min<size_t>(in.Remaining(), 0x7FFFFFFF));
    z.next_out = out->data();
    z.avail_out = uInt(out->size());

    int rc = Z_OK;
    while (rc == Z_OK && z.avail_out > 0) rc = inflate(&z, Z_NO_FLUSH);
    if (rc == Z_OK) {
        // All declared bytes are out; the stream must now end without producing more.
        uint8_t extra;
        z.next_out = &extra;
        z.avail_out = 1;
        rc = inflate(&z, Z_FINISH);
        if (z.avail_out == 0) {
            inflateEnd(&z);
            in.Fail(member + ": holds more data than its declared size " + std::to_string(size));
        }
    }
    const std::string zmsg = z.msg ? z.msg : "";
    const size_t consumed = z.total_in;
    const size_t produced = z.total_out;
    inflateEnd(&z);

    if (rc == Z_STREAM_END && produced == size_t(size)) {
        in.Skip(consumed);
        return out;
    }
    if (rc == Z_STREAM_END)
        in.Fail(member + ": holds " + std::to_string(produced) +
                " bytes, fewer than its declared size " + std::to_string(size));
    if (rc == Z_BUF_ERROR || (rc == Z_OK && z.avail_in == 0))
        in.Fail(member + ": zlib stream is cut short");
    in.Fail(member + ": damaged zlib stream" + (zmsg.empty() ? "" : " (" + zmsg + ")"));
}

void PutInt32(std::vector<uint8_t>& out, int32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(uint8_t(uint32_t(v) >> (8 * i)));
}

} // namespace

bool TqvSkinConvertor::UnpackSkin() {
    if (!PackedData || PackedData->size() < 4 ||
        std::memcmp(PackedData->data(), kMagic, sizeof kMagic) != 0) {
        MessageBox(nullptr, "Loaded data is not packed Lumira file", "Warning",
                   MB_OK | MB_ICONWARNING);
        ClearItems();
        return false;
    }
    try {
        UnpackMembers();
    } catch (...) {
        ClearItems();
        throw;
    }
    return true;
}

void TqvSkinConvertor::UnpackMembers() {
    ImageItems.clear();
    Options.reset();
    OptionsIndex = -1;
    PackReader in(*PackedData, SourceName.empty() ? std::string("skin package") : SourceName);
    in.Skip(4);
    const int32_t count = in.ReadInt32("member count");
    if (count < 0) in.Fail("negative member count " + std::to_string(count));
    ItemCount = count - 1;
    // No reservation by the count: a forged count fails at the end of the data, not in malloc.
    for (int32_t i = 0; i < count; ++i) {
        const std::string which =
            "member " + std::to_string(i + 1) + " of " + std::to_string(count);
        const int32_t nameLength = in.ReadInt32((which + " name length").c_str());
        if (nameLength < 0) in.Fail(which + ": negative name length");
        std::string name = in.ReadText(size_t(nameLength), (which + " name").c_str());
        const int32_t size = in.ReadInt32((which + " size").c_str());
        auto data = InflateMember(in, size, name);
        if (UpperCase(name) == "OPTIONS.DAT") {
            Options = std::move(data);
            OptionsIndex = i;
        } else {
            const size_t dot = name.rfind('.');
            const bool isBitmap = dot != std::string::npos && UpperCase(name.substr(dot)) == ".BMP";
            ImageItems.push_back({std::move(name), isBitmap, std::move(data)});
        }
    }
}

void TqvSkinConvertor::ClearItems() {
    ImageItems.clear();
    Options.reset();
    OptionsIndex = -1;
    PackedData.reset();
}

const TqvImageItem* TqvSkinConvertor::FindItem(std::string_view upperCaseName) const {
    for (const auto& item : ImageItems)
        if (UpperCase(item.FileName) == upperCaseName) return &item;
    return nullptr;
}

bool LoadSkinPackage(std::string_view fileName, std::unique_ptr<TqvSkinConvertor>& reader,
                     bool releaseSource) {
    if (!FileExists(fileName)) return false;
    if (reader)
        reader->ClearItems();
    else
        reader = std::make_unique<TqvSkinConvertor>();
    auto file = ReadFileBytes(fileName, TqvSkinConvertor::kMaxPackageBytes);
    if (!file.Ok()) throw EReadError(file.Error);
    reader->SourceName = std::string(fileName);
    reader->PackedData = std::make_unique<TMemoryStream>(std::move(file.Data));
    const bool unpacked = reader->UnpackSkin();
    if (releaseSource) reader->PackedData.reset();
    return unpacked;
}

std::vector<uint8_t> PackSkin(const std::vector<TqvPackMember>& members) {
    std::vector<uint8_t> out(kMagic, kMagic + 4);
    PutInt32(out, int32_t(members.size()));
    for (const auto& m : members) {
        PutInt32(out, int32_t(m.Name.size()));
        out.insert(out.end(), m.Name.begin(), m.Name.end());
        PutInt32(out, int32_t(m.Data.size()));
        uLongf packedSize = compressBound(uLong(m.Data.size()));
        std::vector<uint8_t> packed(packedSize);
        if (compress2(packed.data(), &packedSize, m.Data.data(), uLong(m.Data.size()), 9) != Z_OK)
            throw EReadError("cannot compress member \"" + m.Name + "\"");
        out.insert(out.end(), packed.begin(), packed.begin() + std::ptrdiff_t(packedSize));
    }
    return out;
}
