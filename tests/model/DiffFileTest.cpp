#include "model/DiffFile.h"
#include "platform/StringTable.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {
class DiffFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path() / ("ql_difffile_" + std::to_string(::getpid()));
        fs::create_directories(dir);
        file = (dir / "Projekt.err").string();
        fs::remove(file);
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string Contents() const
    {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    fs::path dir;
    std::string file;
};
}  // namespace

TEST_F(DiffFileTest, MismatchLinesFollowEachOtherWithCrLf)
{
    AppendErrMismatch(file, "/AMP1/VOL", "-12", "-6");
    AppendErrMismatch(file, "/AMP2/VOL", "0", "3");
    EXPECT_EQ(Contents(),
              "ERROR: /AMP1/VOL >>-12<< should be >>-6<<\r\n"
              "ERROR: /AMP2/VOL >>0<< should be >>3<<\r\n");
}

TEST_F(DiffFileTest, MissingItemLineEndsInFehlt)
{
    AppendErrLine(file, "Linie", 12, "Halle");
    EXPECT_EQ(Contents(), "Linie 12 : Halle fehlt\r\n");
}

TEST_F(DiffFileTest, MissingWordFollowsTheLanguageInUse)
{
    const StringTranslator previous = SetStringTranslator(
        [](uint32_t id, const std::string& german) { return id == 34499 ? std::string("missing") : german; });
    AppendErrLine(file, "Line", 12, "Hall");
    SetStringTranslator(previous);
    AppendErrLine(file, "Linie", 12, "Halle");
    EXPECT_EQ(Contents(), "Line 12 : Hall missing\r\nLinie 12 : Halle fehlt\r\n");
}

TEST_F(DiffFileTest, EarlierLinesStayAndNewOnesFollow)
{
    {
        std::ofstream out(file, std::ios::binary);
        out << "Makro 3 : Alarm fehlt\r\n";
    }
    AppendErrMismatch(file, "/MACRO3/NAME", "A", "B");
    AppendErrLine(file, "Makro", 4, "");
    EXPECT_EQ(Contents(),
              "Makro 3 : Alarm fehlt\r\n"
              "ERROR: /MACRO3/NAME >>A<< should be >>B<<\r\n"
              "Makro 4 :  fehlt\r\n");
}

TEST_F(DiffFileTest, GermanTextIsWrittenInWindows1252)
{
    AppendErrLine(file, "Linie", 7, "Große Halle");
    AppendErrMismatch(file, "/ZONE7/NAME", "Süd", "Nord €");
    EXPECT_EQ(Contents(),
              "Linie 7 : Gro\xDF" "e Halle fehlt\r\n"
              "ERROR: /ZONE7/NAME >>S\xFC" "d<< should be >>Nord \x80<<\r\n");
}

TEST_F(DiffFileTest, UnwritableFileRaises)
{
    const std::string missingDir = (dir / "no such folder" / "x.err").string();
    EXPECT_THROW(AppendErrLine(missingDir, "Linie", 1, "A"), std::system_error);
    EXPECT_THROW(AppendErrMismatch(dir.string(), "/A", "1", "2"), std::system_error);  // a folder
}
