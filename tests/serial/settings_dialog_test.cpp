#include <gmock/gmock.h>

#include "serial_fixture.h"

using ::testing::HasSubstr;

using namespace serial;
using namespace serial_test;

namespace {

// Opens the dialog as the front end would and leaves it to the test.
void Open(CCommPortSettings& d) {
    ASSERT_TRUE(d.OnInitDialog());
    d.OnShowWindow();
}

}  // namespace
TEST_F(ReceiveTest, FirstOpeningTakesDefaultsAndTheRememberedFolder) {
    CCommPortSettings d(Transfer());
    Open(d);
    ui::Frame& f = d.frame();
    EXPECT_EQ(f.control(kIdRateList).items.at(f.Selection(kIdRateList)), "4800");
    for (int id : {kIdDataBits8, kIdParityNone, kIdStopBits2, kIdFlowXon, kIdFlowDtr, kIdFlowRts})
        EXPECT_EQ(f.Checked(id), id != kIdFlowDtr && id != kIdFlowRts) << id;
    // Nothing remembered yet: the current folder.
    EXPECT_EQ(f.Text(kIdFileEdit), std::filesystem::current_path().string() + "/3TA5.txt");

    // A later opening keeps the last choices; an empty name becomes the default name.
    Transfer().baud = 7;
    Transfer().file.clear();
    CCommPortSettings again(Transfer());
    Open(again);
    EXPECT_EQ(again.frame().Selection(kIdRateList), 7);
    EXPECT_EQ(again.frame().Text(kIdFileEdit), "3TA5.txt");
    // A fresh state takes the folder from the settings file.
    Transfer().initialised = false;
    platform::Profile::Instance().WriteString("Section import from TDEV", "File name",
                                              " /data/field/old.txt");
    CCommPortSettings fresh(Transfer());
    Open(fresh);
    EXPECT_EQ(fresh.frame().Text(kIdFileEdit), "/data/field/3TA5.txt");
}

TEST_F(ReceiveTest, ChoicesReachTheStateAndTheLine) {
    CCommPortSettings d(Transfer());
    Open(d);
    ui::Frame& f = d.frame();
    const std::string path = Path("out.txt");
    f.SetText(kIdFileEdit, path);
    f.SetSelection(kIdRateList, 9);
    // 7 data bits, odd parity, one stop bit, DTR and RTS handshake.
    for (int id : {kIdDataBits8, kIdParityNone, kIdStopBits2, kIdFlowXon}) f.SetCheck(id, 0);
    for (int id : std::initializer_list<int>{kIdDataBits8 + 1, kIdParityNone + 2, kIdStopBits2 + 1,
                                             kIdFlowDtr, kIdFlowRts})
        f.SetCheck(id, 1);
    d.OnOK();
    ASSERT_EQ(f.end_code, ui::IDOK);
    const platform::SerialLine line = Transfer().Line();
    EXPECT_EQ(std::tuple(line.baud, line.data_bits, line.parity, line.stop_bits),
              std::tuple(153600u, 7, platform::SerialLine::Parity::Odd,
                         platform::SerialLine::StopBits::One));
    EXPECT_TRUE(line.dtr_handshake && line.rts_handshake && !line.xon_xoff);
    EXPECT_EQ(Transfer().file, path);
    EXPECT_EQ(platform::Profile::Instance().GetString("Section import from TDEV", "File name", ""),
              dir().string() + "/");
    // "Чет" is even parity, "2" two stop bits.
    Transfer().parity = 1;
    Transfer().stop_bits = 0;
    EXPECT_EQ(Transfer().Line().parity, platform::SerialLine::Parity::Even);
    EXPECT_EQ(Transfer().Line().stop_bits, platform::SerialLine::StopBits::Two);
}

TEST_F(ReceiveTest, RefusalsKeepTheDialogOpen) {
    const std::string path = Path("have.txt");
    std::ofstream(path) << "x";
    CCommPortSettings d(Transfer());
    Open(d);
    // An empty file name disables OK and is refused.
    d.frame().SetText(kIdFileEdit, "");
    d.OnCommand(kIdFileEdit);
    EXPECT_FALSE(d.frame().IsEnabled(ui::IDOK));
    d.OnOK();
    EXPECT_TRUE(Shown("Put the destination file name"));
    // A group with no button pressed is refused, not read as its first choice.
    d.frame().SetText(kIdFileEdit, path);
    for (auto [first, count] :
         {std::pair{kIdDataBits8, 2}, {kIdParityNone, 3}, {kIdStopBits2, 2}}) {
        const int chosen = d.frame().Radio(first, count);
        for (int i = 0; i < count; ++i) d.frame().SetCheck(first + i, 0);
        prompter->shown.clear();
        d.OnOK();
        EXPECT_TRUE(Shown("Failed UpdateData")) << first;
        EXPECT_FALSE(d.frame().end_code.has_value()) << first;
        d.frame().SetCheck(first + chosen, 1);
    }
    // An existing file asks; Cancel there keeps this dialog open, Append closes it.
    front->Queue([](ui::Dialog& fx) {
        EXPECT_THAT(fx.frame().Text(kIdFexistText), HasSubstr("already exists"));
        fx.OnCommand(ui::IDCANCEL);
    });
    d.OnOK();
    EXPECT_FALSE(d.frame().end_code.has_value());
    front->Queue([](ui::Dialog& fx) { fx.OnCommand(kIdAppendButton); });
    d.OnOK();
    EXPECT_EQ(d.frame().end_code, ui::IDOK);
    EXPECT_EQ(Transfer().exist, kAppendFile);
    EXPECT_EQ(Transfer().file, std::filesystem::canonical(path).string());
}
