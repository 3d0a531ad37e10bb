// Generated files of each import format for the benchmarks: a block of typical records, repeated
// with fresh point numbers until the file has the size asked for.
#pragma once

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace bench {

struct Corpus {
    int format;             // index in the import format table
    const char* key;        // its section key
    const char* extension;  // a file name ending the reader takes
    // One block of records; "######" stands for a six-digit number that grows from block to
    // block (fixed width, so that column formats keep their columns).
    std::string_view block;
};

// A station, its orientation and measured targets, in each format's own words.
inline const std::vector<Corpus>& Corpora() {
    static const std::vector<Corpus> all = {
        {0, "ELTAR4", "dat",
         "For R4|PI1 ST   S######|X 100.000 m|Y 200.000 m|\r\n"
         "For R4|PI1 AB  P######|SD 10.000 m|HD 9.500 m|Hz 123.4530 DMS|V1 90.0000 DMS|h 1.250 "
         "m|\r\n"
         "For R4|PI1 AB  Q######|SD 12.345 m|HD 11.500 m|Hz 23.4530 DMS|V1 91.1000 DMS|h 1.250 "
         "m|\r\n"
         "For R4|PI1 C   C######|N 1.5 m|E 2.5 m|Z 3.5 m|\r\n"},
        {1, "ELTAR5", "dat",
         "For R5|Adr 0002|KR A ######|X        0.000 m   |Y        0.000 m   |                   "
         "|\r\n"
         "For R5|Adr 0004|KR S ######|X       23.926 m   |Y       46.475 m   |Z        0.000 m   "
         "|\r\n"
         "For R5|Adr 0006|PI1 1######|SD      25.406 m   |Hz    301.8035 grd |V1    100.2565 grd "
         "|\r\n"
         "For R5|Adr 0007|PI1 2######|SD      27.406 m   |Hz    201.8035 grd |V1    101.2565 grd "
         "|\r\n"
         "For R5|Adr 0008|KR 3 ######|X       55.137 m   |Y       33.874 m   |Z        0.121 m   "
         "|\r\n"},
        {2, "ELTAC_M5", "dat",
         "For M5|Adr 00001|PI1 S######       CD           |X 100.000 m|Y 200.000 m|\r\n"
         "For M5|Adr 00001|PI1 P######                    |SD 5.000 m|Hz 10.0000 DMS|V1 90.1000 "
         "DMS|\r\n"
         "For M5|Adr 00001|PI1 Q######                    |SD 7.125 m|Hz 110.0000 DMS|V1 89.5000 "
         "DMS|\r\n"
         "For M5|Adr 00001|PI1 C######                    |N 3 m|E 4 m|Z 5 m|\r\n"},
        {3, "ELTAREC500", "dat",
         "    0001S######       ST           X 100.000 Y 200.000 Z 10.000\r\n"
         "    0001P######       CUT          SD 10.000 Hz 359.5959 V1 90.0000 th 1.600\r\n"
         "    0001Q######       CUT          SD 12.500 Hz 123.4530 V1 91.0000 th 1.600\r\n"},
        {4, "SDR", "sdr",
         "00NMSDR33                               11111\r\n"
         "02NES######                   1000.5         2000.25              50            "
         "1.55HUT\r\n"
         "09F1S######         P######                     10.5         90.0000         "
         "45.3000TREE\r\n"
         "09F1S######         Q######                    12.75         91.0000        "
         "145.3000TREE\r\n"
         "08KIC######                        1               2               3FENCE           "
         "\r\n"},
        {5, "LEICA", "gsi",
         "410001+00###### 42....+00500001 43..10+00001550 84..10+00400000 85..10+00500000 "
         "86..10+00001000 \r\n"
         "110002+00###### 21.322+03496940 22.322+09364360 31..00+00030485 51..1.+0000+000 "
         "87..10+00001500 81..00+00515836 82..00+00525871 83..00+00003079 71....+00000001 "
         "32..00+00030485 \r\n"
         "110003+10###### 21.322+02179330 22.322+09442590 31..00+00030596 51..1.+0000+000 "
         "87..10+00001500 81..00+00510231 82..00+00528710 83..00+00002716 71....+00000001 "
         "32..00+00030596 \r\n"},
        {6, "2TA5", "txt",
         "Z010203 S###### BS\r\n"
         "NP######\r\n"
         "01 1500 1234530 0900000 CODE\r\n"
         "NQ######\r\n"
         "02 12345  1234530 0900000 C\r\n"
         "NC######\r\n"
         "03 1000  300 1500\r\n"},
        {7, "3TA5", "txt",
         "0010        S######     BENCH       010203      B1          1234530     1550        \r\n"
         "2010        P######     \r\n"
         "1000        S######     PILLAR      1000        -2500       12.5        1700        "
         "\r\n"},
        {8, "4TA5", "txt",
         "0000        S######                                                     1500        9999 "
         "       9999        \r\n"
         "2100        P######     \r\n"},
        {9, "NRDF", "rdf",
         "ST,S######,,B1,,1.500,,20.0000,POLE\r\n"
         "SS,P######,1.600,50.000,100.0000,90.0000,10:00:00,TREE\r\n"
         "SS,Q######,1.600,52.125,200.0000,91.0000,10:00:10,TREE\r\n"},
        {10, "TDS6", "txt",
         "+S###### U000010000000020000000030000F_+P###### D000010000_+Q###### "
         "?001234567M1001234+1801020G_\r\n"},
        {11, "TDS7", "txt",
         "STN S######,1.550,TREE\r\n"
         "BKB B1,0,123.45305\r\n"
         "Fs P######,1.6,POLE\r\n"
         "HD 10.00000,25.5,-1.2\r\n"
         "xYz 100,200,30\r\n"},
        {12, "GEODI", "job",
         "2=S######\r\n"
         "3=1.5\r\n"
         "5=P######\r\n"
         "4=OAK\r\n"
         "7=123.4530\r\n"
         "8=90.1020\r\n"
         "9=25.406\r\n"
         "5=Q######\r\n"
         "7=223.4530\r\n"
         "8=91.1020\r\n"
         "9=27.125\r\n"},
        {13, "GEODP", "are",
         "5=C######\r\n"
         "37=498.875\r\n"
         "38=490.567\r\n"
         "39=-0.229\r\n"
         "4=OAK\r\n"},
        {14, "PENTAXI", "aux",
         "0000STS:S######\r\n"
         "0000PPD:P######\r\n"
         "0000RTH:90.15025\r\n"
         "0000RTD:12.5\r\n"
         "0000PPD:Q######\r\n"
         "0000RTH:190.15025\r\n"
         "0000RTD:14.25\r\n"},
    };
    return all;
}

// Writes blocks of `c` to `path` until there are at least `bytes` bytes, or exactly `lines`
// lines when that is given; returns the size written.
inline size_t WriteCorpus(const Corpus& c, const std::filesystem::path& path, size_t bytes,
                          long lines = 0) {
    std::ofstream out(path, std::ios::binary);
    std::string block;
    size_t written = 0;
    long left = lines;
    for (long n = 1; lines > 0 ? left > 0 : written < bytes; ++n) {
        char number[8];
        std::snprintf(number, sizeof number, "%06ld", n % 1000000);
        block.assign(c.block);
        for (size_t at = block.find("######"); at != std::string::npos;
             at = block.find("######", at + 6))
            block.replace(at, 6, number);
        if (lines > 0) {
            // Cut the last block at the line count.
            size_t end = 0;
            for (; left > 0 && end < block.size(); --left) end = block.find('\n', end) + 1;
            block.resize(end);
        }
        out << block;
        written += block.size();
    }
    return written;
}

}  // namespace bench
