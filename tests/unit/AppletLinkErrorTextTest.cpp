#include "LinkOpenError.h"
#include <gtest/gtest.h>

namespace {

const std::wstring kLead = L"Unable to open hyperlink:\n\n";

struct Expected {
    std::intptr_t code;
    const wchar_t* text;
};

} // namespace

TEST(LinkOpenError, EveryKnownCodeHasItsText) {
    const Expected kTexts[] = {
        {0, L"The operating system is out\nof memory or resources."},
        {2, L"The specified file was not found."},
        {3, L"The specified path was not found."},
        {5, L"The operating system denied\naccess to the specified file."},
        {8, L"There was not enough memory to complete the operation."},
        {11, L"The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image)."},
        {26, L"A sharing violation occurred. "},
        {27, L"The filename association is\nincomplete or invalid."},
        {28, L"The DDE transaction could not\nbe completed because the request timed out."},
        {29, L"The DDE transaction failed."},
        {30, L"The DDE transaction could not\nbe completed because other DDE "
             L"transactions\nwere being processed."},
        {31, L"There is no application associated\nwith the given filename extension."},
        {32, L"The specified dynamic-link library was not found."},
    };
    for (const Expected& expected : kTexts) {
        EXPECT_EQ(OpenErrorMessage(expected.code), kLead + expected.text)
            << "code " << expected.code;
    }
}

TEST(LinkOpenError, OtherCodesAreNamedByNumber) {
    EXPECT_EQ(OpenErrorMessage(4), kLead + L"Unknown Error (4) occurred.");
    EXPECT_EQ(OpenErrorMessage(1), kLead + L"Unknown Error (1) occurred.");
    EXPECT_EQ(OpenErrorMessage(33), kLead + L"Unknown Error (33) occurred.");
    EXPECT_EQ(OpenErrorMessage(-1), kLead + L"Unknown Error (-1) occurred.");
}
