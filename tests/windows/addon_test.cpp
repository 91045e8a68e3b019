// The add-on and the console hand-back on Windows where there is no console
// at all (a detached start; CTest under Wine), and the resources of orvane.exe.
// The same operations on a real console are covered by the end-to-end tests.
#include "console/addon_call.h"
#include "platform/console_addon.h"
#include "platform/windows/hand_back.h"

#include <gtest/gtest.h>

#include <string>

namespace {

bool NoConsole() {
    return GetConsoleWindow() == nullptr && GetConsoleCP() == 0;
}

// Each operation must return at once and give what callers expect, whatever
// the arguments, so that set-up goes on as on a full console.
TEST(AddOnWithoutConsole, EveryOperationReturnsAtOnce) {
    if (!NoConsole()) {
        GTEST_SKIP() << "runs only without a console";
    }
    LONG unused = 0;
    EXPECT_EQ(InitConsoleAddOn(GetModuleHandleA(nullptr), 0, 0, 0, unused, 0), 1);
    EXPECT_EQ(ConsoleToolBar(0, 5), 1);
    for (LONG icon : {32512, 0, -1, 70000}) {
        EXPECT_EQ(ConsoleIcon(icon), 1) << icon;
    }
    for (LONG command : {61728, 0, 61440, -2, -1, 61488, 0xF060}) {
        EXPECT_EQ(DeleteWindowMenuItem(command), 1) << command;
    }
    for (LONG rows : {25, 0, -3, 10000, 0x7FFFFFFF}) {
        EXPECT_EQ(Console80x(rows), 1) << rows;
    }
    for (LONG position : {32767, 0, -100000}) {
        EXPECT_EQ(ConsoleMove(position, position), 1) << position;
    }

    BSTR text = NewAddOnText("You must respond either Y or N  ");
    BSTR title = NewAddOnText("  ERROR");
    EXPECT_EQ(ConsoleMessageBox(text, 0, title, 0, 0), IDOK) << "a box with nowhere to show";
    EXPECT_EQ(ConsoleMessageBox(nullptr, 0, nullptr, 0, 0), IDOK);
    SysFreeString(text);
    SysFreeString(title);
}

// The previous title comes back as a string the caller can release, even when
// there is none.
TEST(AddOnWithoutConsole, TitleHandsBackAnEmptyString) {
    if (!NoConsole()) {
        GTEST_SKIP() << "runs only without a console";
    }
    for (const std::string& wanted : {std::string("Orvane 6.0 Layout Assistant"), std::string()}) {
        BSTR title = NewAddOnText(wanted);
        BSTR previous = ConsoleTitle(title);
        ASSERT_NE(previous, nullptr);
        EXPECT_EQ(SysStringByteLen(previous), 0u);
        SysFreeString(previous);
        SysFreeString(title);
    }
    EXPECT_NE(ConsoleTitle(nullptr), nullptr);
}

TEST(HandBackWithoutConsole, HoldingAndGivingBackChangeNothing) {
    if (!NoConsole()) {
        GTEST_SKIP() << "runs only without a console";
    }
    EXPECT_FALSE(HoldConsoleForTheRun());
    EXPECT_EQ(GetConsoleCP(), 0u);
    GiveConsoleBack();
    GiveConsoleBack();
    EXPECT_EQ(GetConsoleOutputCP(), 0u);
}

// Explorer shows the version resource; ConsoleIcon(32512) finds the program's
// own icon under that number.
TEST(OrvaneExe, CarriesItsIconAndVersion) {
    const HMODULE program = LoadLibraryExA(
        ORVANE_EXE, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(program, nullptr) << ORVANE_EXE;
    EXPECT_NE(FindResourceA(program, MAKEINTRESOURCEA(32512), MAKEINTRESOURCEA(14)), nullptr)
        << "icon group 32512";
    FreeLibrary(program);

    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(ORVANE_EXE, &ignored);
    ASSERT_GT(size, 0u);
    std::string block(size, '\0');
    ASSERT_NE(GetFileVersionInfoA(ORVANE_EXE, 0, size, block.data()), FALSE);
    for (const char* key : {"ProductName", "FileDescription"}) {
        char* value = nullptr;
        UINT length = 0;
        const std::string path = std::string("\\StringFileInfo\\040904B0\\") + key;
        ASSERT_NE(
            VerQueryValueA(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &length),
            FALSE)
            << key;
        EXPECT_STREQ(value, "Orvane 6.0 Layout Assistant") << key;
    }
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_NE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length), FALSE);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_GE(HIWORD(fixed->dwProductVersionMS), 1u) << "product version";
}

} // namespace
