#include <gtest/gtest.h>
#include <zlib.h>

#include "platform/backends/HeadlessBackend.h"
#include "platform/core/Errors.h"
#include "platform/core/FileSystem.h"
#include "platform/dialogs/MessageBox.h"
#include "skin/qvSkinPack.h"

namespace {

// Builds package bytes field by field, independently of the writer under test.
class RawPackage {
  public:
    RawPackage& Magic(const char* m = "QKzf") {
        bytes.insert(bytes.end(), m, m + 4);
        return *this;
    }
    RawPackage& Int(int32_t v) {
        for (int i = 0; i < 4; ++i) bytes.push_back(uint8_t(uint32_t(v) >> (8 * i)));
        return *this;
    }
    RawPackage& Text(const std::string& s) {
        bytes.insert(bytes.end(), s.begin(), s.end());
        return *this;
    }
    RawPackage& Zlib(const std::string& data) {
        uLongf n = compressBound(uLong(data.size()));
        std::vector<uint8_t> z(n);
        compress2(z.data(), &n, reinterpret_cast<const Bytef*>(data.data()), uLong(data.size()), 6);
        bytes.insert(bytes.end(), z.begin(), z.begin() + std::ptrdiff_t(n));
        return *this;
    }
    // name length, name, size, stream
    RawPackage& Member(const std::string& name, const std::string& data) {
        return Int(int32_t(name.size())).Text(name).Int(int32_t(data.size())).Zlib(data);
    }
    std::vector<uint8_t> bytes;
};

bool Unpack(TqvSkinConvertor& r, std::vector<uint8_t> bytes) {
    r.PackedData = std::make_unique<TMemoryStream>(std::move(bytes));
    return r.UnpackSkin();
}

std::string AsText(const TMemoryStream& s) { return std::string(s.begin(), s.end()); }

} // namespace

TEST(SkinPackage, UnpacksOptionsAndImageItemsInOrder) {
    RawPackage p;
    p.Magic()
        .Int(3)
        .Member("Master.bmp", "BMdata")
        .Member("oPTIONS.Dat", "[GLOBALINFO]\n")
        .Member("BG.JPG", "");
    TqvSkinConvertor r;
    ASSERT_TRUE(Unpack(r, p.bytes));
    EXPECT_EQ(r.ItemCount, 2);
    ASSERT_TRUE(r.Options);
    EXPECT_EQ(AsText(*r.Options), "[GLOBALINFO]\n");
    ASSERT_EQ(r.ImageItems.size(), 2u);
    EXPECT_EQ(r.ImageItems[0].FileName, "Master.bmp");
    EXPECT_TRUE(r.ImageItems[0].IsBitmap);
    EXPECT_EQ(AsText(*r.ImageItems[0].Data), "BMdata");
    EXPECT_EQ(r.ImageItems[1].FileName, "BG.JPG");
    EXPECT_FALSE(r.ImageItems[1].IsBitmap);
    EXPECT_TRUE(r.ImageItems[1].Data->empty());
    EXPECT_EQ(r.FindItem("MASTER.BMP"), &r.ImageItems[0]);
    EXPECT_EQ(r.FindItem("Master.bmp"), nullptr); // the caller upper-cases what it asks for
}

TEST(SkinPackage, OnlyAnOptionsMemberGivesNoItems) {
    RawPackage p;
    p.Magic().Int(1).Member("Options.dat", "x=1");
    TqvSkinConvertor r;
    ASSERT_TRUE(Unpack(r, p.bytes));
    EXPECT_EQ(r.ItemCount, 0);
    EXPECT_TRUE(r.ImageItems.empty());
    EXPECT_EQ(AsText(*r.Options), "x=1");
}

TEST(SkinPackage, WriterOutputReadsBack) {
    std::vector<TqvPackMember> members = {{"Options.dat", {'a', 'b'}},
                                          {"A.BMP", std::vector<uint8_t>(5000, 7)}};
    TqvSkinConvertor r;
    ASSERT_TRUE(Unpack(r, PackSkin(members)));
    EXPECT_EQ(*r.Options, members[0].Data);
    ASSERT_EQ(r.ImageItems.size(), 1u);
    EXPECT_EQ(*r.ImageItems[0].Data, members[1].Data);
}

TEST(SkinPackage, WrongMagicWarnsAndYieldsNothing) {
    RawPackage p;
    p.Magic("QKzF").Int(1).Member("Options.dat", "x=1");
    TqvSkinConvertor r;
    // The warning is a message box; the user reads it and presses Enter.
    UseHeadlessBackend();
    std::string caption, warning;
    Headless()->SetDriver([&] {
        const HWND box = GetActiveWindow();
        if (!box) return false;
        caption = GetWindowText(box);
        warning = GetDlgItemText(box, IDC_MESSAGEBOX_TEXT);
        KeyPress(VK_RETURN);
        return true;
    });
    EXPECT_FALSE(Unpack(r, p.bytes));
    Headless()->SetDriver(nullptr);
    EXPECT_EQ(caption, "Warning");
    EXPECT_EQ(warning, "Loaded data is not packed Lumira file");
    EXPECT_FALSE(r.Options);
    EXPECT_FALSE(r.PackedData);
    EXPECT_TRUE(r.ImageItems.empty());
}

TEST(SkinPackage, DamagedPackagesRaiseReadErrorsAndLeaveNothingBehind) {
    const std::string options = "[PANEL]\nCOLOR=1\n";
    auto cut = [](std::vector<uint8_t> b, size_t n) {
        b.resize(b.size() - n);
        return b;
    };
    auto good = RawPackage().Magic().Int(1).Member("Options.dat", options).bytes;
    auto flipped = good;
    flipped[flipped.size() - 8] ^= 0x55; // inside the deflate data or its checksum

    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
        const char* message;
    } cases[] = {
        {"count past the end", RawPackage().Magic().Int(5).Member("Options.dat", options).bytes,
         "runs past"},
        {"forged huge count", RawPackage().Magic().Int(0x7FFFFFFF).bytes, "runs past"},
        {"negative count", RawPackage().Magic().Int(-2).bytes, "negative member count"},
        {"name length past the end", RawPackage().Magic().Int(1).Int(1000).Text("Opt").bytes,
         "runs past"},
        {"negative name length", RawPackage().Magic().Int(1).Int(-1).bytes, "negative name length"},
        {"no size field", RawPackage().Magic().Int(1).Int(1).Text("A").bytes, "runs past"},
        {"declared size larger than the stream",
         RawPackage().Magic().Int(1).Int(1).Text("A").Int(100).Zlib("short").bytes, "fewer than"},
        {"declared size smaller than the stream",
         RawPackage().Magic().Int(1).Int(1).Text("A").Int(2).Zlib("longer").bytes, "more data"},
        {"forged enormous size",
         RawPackage().Magic().Int(1).Int(1).Text("A").Int(0x7FFFFFF0).Zlib("x").bytes,
         "impossible"},
        {"negative size", RawPackage().Magic().Int(1).Int(1).Text("A").Int(-5).Zlib("x").bytes,
         "negative size"},
        {"stream cut short", cut(good, 6), "cut short"},
        {"not a zlib stream",
         RawPackage().Magic().Int(1).Int(1).Text("A").Int(4).Text("garbage!").bytes, "damaged"},
        {"damaged stream", flipped, "Options.dat"},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.name);
        TqvSkinConvertor r;
        r.SourceName = "Test.qkz";
        try {
            Unpack(r, c.bytes);
            ADD_FAILURE() << "no error";
        } catch (const EReadError& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
            EXPECT_EQ(std::string(e.what()).rfind("Test.qkz: ", 0), 0u) << e.what();
        }
        EXPECT_FALSE(r.Options);
        EXPECT_TRUE(r.ImageItems.empty());
    }
}

TEST(SkinPackage, LoadSkinPackageReusesTheReaderAndCanReleaseTheBytes) {
    const std::string file = std::string(STAT_TEST_DATA_DIR) + "/load-package.qkz";
    ASSERT_TRUE(WriteFileBytes(WindowsPath(file),
                               RawPackage().Magic().Int(1).Member("Options.dat", "k=v").bytes));
    std::unique_ptr<TqvSkinConvertor> reader;
    EXPECT_FALSE(LoadSkinPackage(WindowsPath(file) + ".missing", reader, true));
    EXPECT_FALSE(reader);
    ASSERT_TRUE(LoadSkinPackage(WindowsPath(file), reader, false));
    TqvSkinConvertor* first = reader.get();
    EXPECT_TRUE(reader->PackedData);
    ASSERT_TRUE(LoadSkinPackage(WindowsPath(file), reader, true));
    EXPECT_EQ(reader.get(), first);
    EXPECT_FALSE(reader->PackedData);
    EXPECT_EQ(AsText(*reader->Options), "k=v");
}
