// A 3TA5 file sent over the line, received and imported through the import dialog; and a large
// receive at the highest rate.
#include <cstdio>

#include "serial_fixture.h"

using namespace serial_test;
using serial::Transfer;

TEST_F(ReceiveTest, ThreeTa5FileIsReceivedAndImported) {
    const std::string path = Path("3TA5.txt");
    QueueSettings(path);
    front->Queue([](ui::Dialog& d) {
        auto& imp = static_cast<CImpDEVDlg&>(d);
        imp.OnFileNameChange();
        imp.OnMOK();
    });
    prompter->decline.clear();
    const std::string data = Record({"0010", "ST1", "", "010203", "B1", "0000000", "1550"}) +
                             Record({"2010", "P1", "TREE", "12345", "1234530", "0900000", "1500"}) +
                             Record({"2010", "B1", "", "100000", "0000000", "0900000", "1500"});
    Play({data.substr(0, 100), data.substr(100) + "\xFF"});

    EXPECT_EQ(dlg.DoTransfer(), 1);
    EXPECT_EQ(Transfer().lines_received, 3);
    const auto& stations = project.data().stations;
    ASSERT_EQ(stations.size(), 1u);
    EXPECT_EQ(stations[0].name, "ST1");
    ASSERT_EQ(stations[0].observations.size(), 2u);
    EXPECT_EQ(stations[0].observations[0].code, "TREE");
    EXPECT_EQ(stations[0].observations[1].target, "B1");
}

TEST_F(ReceiveTest, MegabyteAtTheHighestRateLosesNothing) {
    const std::string path = Path("big.txt");
    QueueSettings(path, 0, 9);  // 153600 baud
    const size_t size = 1 << 20;
    std::string data, expected;
    for (size_t i = 0; i < size; ++i) {
        data += static_cast<char>('0' + i % 43);
        if (i % 84 == 83)
            expected += data.substr(i - 83) + "\r\n";
    }
    expected += data.substr(size - size % 84);
    Play({data + "\xFF"});
    const auto start = std::chrono::steady_clock::now();
    dlg.DoTransfer();
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    const std::string got = ReadFile(path);
    EXPECT_EQ(got.size(), expected.size());
    EXPECT_TRUE(got == expected);
    EXPECT_EQ(Transfer().lines_received, static_cast<int>(size / 84));
    std::printf("1 MiB received in %.3f s (%.1f MB/s)\n", seconds, size / seconds / 1e6);
}
