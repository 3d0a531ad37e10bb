#include "readers/nrdf/nrdf_reader.h"
#include "support/noise.h"
#include "support/reader_harness.h"

using testing_support::ReaderHarness;

TEST(NrdfRobustness, AnyBytesEndTheRun) {
    for (unsigned seed : {31u, 32u, 33u}) {
        ReaderHarness h;
        // Records at line starts, fields and comment parts the reader reacts to.
        h.Run<CImpNRDF>({h.Write(
            "noise.rdf",
            testing_support::NoiseBytes(
                seed, 64 * 1024,
                {"\nST,S1,,B1,,",        "\nSS,P1,1.6,10,",       "\r\nF1,B1,,,350,",
                 "\nF2,P1,,,12.4530,",   "\nMC,P1,C1,1,",         "\nMP,P2,,4,5,6,",
                 "\nCP,P2,x,1.7,",       "\nRE,R1,,1,2,3,",       "\nSO,P3,,,12.5,",
                 "\nUP,P3,,7,8,,",       "20.0000,350.,",         "1234530,-10.1,",
                 "-0.5,1e308,..,",       "\nCO,TEMP:20C ",        "PRESS:760MMHG ",
                 "TEMP:+ PRESS: ",       "FAHRENHEIT INHG ",      "\nCO,Start of Resection",
                 "\nCO,Dist Units:Feet", "\nCO,Angle Units:Gons", "ANGLE UNITS:MIL6400",
                 "01-JAN-2020 12:34:56", "99-?\?-99999 ::::::",   "\n\n,,,,\r\n"},
                50, 'S'))});
        testing_support::ExpectLinesAscend(h);
    }
}

TEST(NrdfRobustness, EmptyFileAndLineWithoutEnd) {
    ReaderHarness h;
    const std::string empty = h.Write("empty.rdf", "");
    const std::string open_end = h.Write("end.rdf", "ST,S1,,B1,,,,1.0000");
    h.Run<CImpNRDF>({empty, open_end});
    EXPECT_TRUE(h.ProtocolContains("empty.rdf"));
    EXPECT_EQ(h.Stream(), (std::vector<std::string>{"evStation=S1", "evBacksight=B1"}));
}
