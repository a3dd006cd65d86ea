// SPDX-License-Identifier: BSD-2-Clause
// Byte chunks into lines: the memo, the checksum, dispatch or reply, the 400-character rule
// and the conversion errors that cost only their own line.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "AssemblyTestSupport.h"
#include "nmea/LineAssembly.h"
#include "platform/ControlNames.h"
#include "support/NmeaChecksum.h"

namespace sattrail {
namespace {

using testing::Feed;
using testing::RecordingObserver;
using testing::SentenceBoxes;
using testing::TestWindow;

// Real sentences of an MTK-3301 capture.
constexpr std::string_view kRmc =
    "$GPRMC,081439.000,A,5212.981832,N,00653.104686,E,0.205,0.00,230808,,,A*5F\r\n";
constexpr std::string_view kVtg = "$GPVTG,0.00,T,,M,0.205,N,0.379,K,A*37\r\n";
constexpr std::string_view kGsa = "$GPGSA,A,2,21,28,08,,,,,,,,,,3.05,2.88,1.00*07\r\n";
constexpr std::string_view kGga =
    "$GPGGA,081439.000,5212.981832,N,00653.104686,E,1,3,2.88,102.930,M,47.093,M,,*5A\r\n";
// The VTG sentence with one digit of its checksum wrong.
constexpr std::string_view kVtgWrongDigit = "$GPVTG,0.00,T,,M,0.205,N,0.379,K,A*38\r\n";

// Sentences with a good checksum and a malformed number.
constexpr std::string_view kGgaBadHeight =
    "$GPGGA,081439.000,5212.981832,N,00653.104686,E,1,3,2.88,1x2.5,M,47.093,M,,*1D\r\n";
constexpr std::string_view kRmcBadLatitude =
    "$GPRMC,081439.000,A,52x2.981832,N,00653.104686,E,0.205,0.00,230808,,,A*16\r\n";
constexpr std::string_view kGsaBadSatellite = "$GPGSA,A,3,21,2?,08,,,,,,,,,,1.5,2.88,1.00*33\r\n";

TEST(AssembleLines, GoodLineReachesMemoAndDispatch) {
  RunState run;
  TestWindow window;
  RecordingObserver observer;
  EXPECT_TRUE(Feed(run, window, kVtg, &observer).empty());
  EXPECT_EQ(window.Text(control::OutTextBox), kVtg);
  EXPECT_TRUE(window.Checked(control::CheckBox6));
  ASSERT_EQ(observer.lines.size(), 1u);
  EXPECT_EQ(observer.lines[0].text, kVtg);
  EXPECT_TRUE(observer.lines[0].good);
  EXPECT_EQ(observer.dispatched, std::vector<std::string>{"GPVTG"});
  EXPECT_TRUE(run.LineBuffer.empty());
  EXPECT_EQ(run.RawLineCount, 0);
}

TEST(AssembleLines, WrongDigitIsShownButNotDispatched) {
  RunState run;
  TestWindow window;
  RecordingObserver observer;
  run.SilenceCount = 5;
  Feed(run, window, kVtgWrongDigit, &observer);
  EXPECT_EQ(window.Text(control::OutTextBox), kVtgWrongDigit);
  EXPECT_FALSE(window.Checked(control::CheckBox6));
  EXPECT_TRUE(observer.dispatched.empty());
  ASSERT_EQ(observer.lines.size(), 1u);
  EXPECT_FALSE(observer.lines[0].good);
  EXPECT_EQ(run.SilenceCount, 5);
  EXPECT_TRUE(run.SentenceId.empty());
  EXPECT_TRUE(run.LineBuffer.empty());
}

TEST(AssembleLines, LineWithoutStarIsNeverDispatched) {
  for (std::string_view line :
       {"$GPVTG,0.00,T,,M,0.205,N,0.379,K,A\r\n", "$GPVTG\n", "GPVTG37\n"}) {
    SCOPED_TRACE(line);
    RunState run;
    TestWindow window;
    RecordingObserver observer;
    Feed(run, window, line, &observer);
    EXPECT_TRUE(observer.dispatched.empty());
    EXPECT_FALSE(window.Checked(control::CheckBox6));
    EXPECT_EQ(window.Text(control::OutTextBox), line);
  }
}

TEST(AssembleLines, FirstCharacterIsNotExamined) {
  // Byte 0 takes no part in the checksum, so the sentence stays good without its "$".
  RunState run;
  TestWindow window;
  Feed(run, window, "!GPVTG,0.00,T,,M,0.205,N,0.379,K,A*37\r\n");
  EXPECT_TRUE(window.Checked(control::CheckBox6));
  EXPECT_EQ(run.SentenceId, "GPVTG");
}

TEST(AssembleLines, EverySentenceStartsAtItsDollar) {
  // A "$" after bytes of an unfinished line ends that line without a line end, so whatever
  // came before it costs the sentence nothing; the memo still shows every byte in order.
  struct Case {
    const char* what;
    std::string input;
    std::vector<RecordingObserver::Line> lines;
    std::vector<std::string> dispatched;
  };
  // A binary message as receivers send beside NMEA: no "$" and no line feed in it.
  const std::string binary("\xB5\x62\x01\x07\x5C\x00\x10\x27\xE8\x03\x9A\x3C", 12);
  const std::string gsaLostLineFeed(kGsa.substr(0, kGsa.size() - 1));
  const std::string rmc(kRmc);
  const Case cases[] = {
      {"binary message, then RMC", binary + rmc, {{binary, false}, {rmc, true}}, {"GPRMC"}},
      {"cut sentence, then a good one (a Triton 400)",
       "$GPGGA,030130$GPGLL,2638.1728,N,08011.3893,W,030131.000,A,A*41\n",
       {{"$GPGGA,030130", false}, {"$GPGLL,2638.1728,N,08011.3893,W,030131.000,A,A*41\n", true}},
       {"GPGLL"}},
      {"doubled $",
       "$$GNRMC,081439.000,A,5212.981832,N,00653.104686,E,0.205,0.00,230808,,,A*41\r\n",
       {{"$", false},
        {"$GNRMC,081439.000,A,5212.981832,N,00653.104686,E,0.205,0.00,230808,,,A*41\r\n", true}},
       {"GNRMC"}},
      {"line feed lost: the checksum ignores what follows its two digits",
       gsaLostLineFeed + rmc,
       {{gsaLostLineFeed, true}, {rmc, true}},
       {"GPGSA", "GPRMC"}},
  };
  for (const Case& c : cases) {
    for (const std::size_t chunk : {std::size_t{1}, std::size_t{256}}) {
      SCOPED_TRACE(std::string(c.what) + ", chunks of " + std::to_string(chunk));
      RunState run;
      TestWindow window;
      RecordingObserver observer;
      testing::FeedInChunks(run, window, c.input, chunk, &observer);
      ASSERT_EQ(observer.lines.size(), c.lines.size());
      for (std::size_t i = 0; i < c.lines.size(); ++i) {
        EXPECT_EQ(observer.lines[i].text, c.lines[i].text);
        EXPECT_EQ(observer.lines[i].good, c.lines[i].good);
      }
      EXPECT_EQ(observer.dispatched, c.dispatched);
      EXPECT_EQ(window.Text(control::OutTextBox), c.input);
      EXPECT_TRUE(run.LineBuffer.empty());
      EXPECT_EQ(run.RawLineCount, 0);
    }
  }
}

TEST(AssembleLines, KeepsEveryByteAsItCame) {
  // A NUL, a byte above 127 and a lone carriage return are stored and summed like any other.
  const std::string line("$GPTXT,\0\xA2\r*CC\r\n", 15);
  RunState run;
  TestWindow window;
  RecordingObserver observer;
  Feed(run, window, line, &observer);
  EXPECT_EQ(window.Text(control::OutTextBox), line);
  ASSERT_EQ(observer.lines.size(), 1u);
  EXPECT_EQ(observer.lines[0].text, line);
  EXPECT_TRUE(observer.lines[0].good);
}

TEST(AssembleLines, LineOverThreeChunksEqualsOneChunk) {
  const std::string text = std::string(kGsa) + std::string(kRmc);
  RunState whole, split;
  TestWindow wholeWindow, splitWindow;
  RecordingObserver wholeObserver, splitObserver;
  Feed(whole, wholeWindow, text, &wholeObserver);
  // The RMC line is cut twice: inside its body and between its carriage return and line feed.
  const std::size_t cut1 = kGsa.size() + 20;
  const std::size_t cut2 = text.size() - 1;
  Feed(split, splitWindow, std::string_view(text).substr(0, cut1), &splitObserver);
  Feed(split, splitWindow, std::string_view(text).substr(cut1, cut2 - cut1), &splitObserver);
  EXPECT_EQ(split.LineBuffer, kRmc.substr(0, kRmc.size() - 1));
  Feed(split, splitWindow, std::string_view(text).substr(cut2), &splitObserver);

  EXPECT_EQ(splitObserver.dispatched, wholeObserver.dispatched);
  EXPECT_EQ(splitObserver.dispatched, (std::vector<std::string>{"GPGSA", "GPRMC"}));
  EXPECT_EQ(splitObserver.dispatchedLines, wholeObserver.dispatchedLines);
  EXPECT_EQ(splitWindow.Text(control::OutTextBox), wholeWindow.Text(control::OutTextBox));
  EXPECT_EQ(SentenceBoxes(splitWindow), SentenceBoxes(wholeWindow));
  for (const char* box : {"EdPDOP", "Edit6", "Edit8", "Edit9", "EdSpeed", "EdTime", "EdDate"}) {
    SCOPED_TRACE(box);
    EXPECT_EQ(splitWindow.Text(box), wholeWindow.Text(box));
    EXPECT_FALSE(splitWindow.Text(box).empty());
  }
  EXPECT_TRUE(split.LineBuffer.empty());
}

TEST(AssembleLines, TwoAndAHalfLinesDispatchTwoAndKeepTheHalf) {
  RunState run;
  TestWindow window;
  RecordingObserver observer;
  const std::string half(kGga.substr(0, 30));
  Feed(run, window, std::string(kVtg) + std::string(kGsa) + half, &observer);
  EXPECT_EQ(observer.dispatched, (std::vector<std::string>{"GPVTG", "GPGSA"}));
  EXPECT_EQ(run.LineBuffer, half);
  EXPECT_EQ(run.RawLineCount, 30);
  EXPECT_EQ(std::string(run.RawLineBytes.begin(), run.RawLineBytes.begin() + 30), half);
  EXPECT_EQ(window.Text(control::OutTextBox), std::string(kVtg) + std::string(kGsa));
  EXPECT_FALSE(window.Checked(control::CheckBox1));

  Feed(run, window, kGga.substr(30), &observer);
  EXPECT_EQ(observer.dispatched.back(), "GPGGA");
  EXPECT_EQ(observer.dispatchedLines.back(), kGga);
  EXPECT_TRUE(window.Checked(control::CheckBox1));
}

TEST(AssembleLines, RepaintsTheMemoOncePerChunk) {
  RunState run;
  TestWindow window;
  Feed(run, window, std::string(kVtg) + std::string(kGsa));
  EXPECT_EQ(window.Repaints(control::OutTextBox), 1);
  Feed(run, window, "$GP");
  EXPECT_EQ(window.Repaints(control::OutTextBox), 2);
}

TEST(AssembleLines, KeepsFourHundredCharactersWithoutLineFeed) {
  struct Case {
    std::size_t length;
    std::size_t kept;
  };
  for (const Case c : {Case{400, 400}, Case{401, 0}}) {
    SCOPED_TRACE(c.length);
    RunState run;
    TestWindow window;
    // In chunks of up to 256, as the poll hands them over; the rule runs after each chunk.
    const std::string text(c.length, 'A');
    testing::FeedInChunks(run, window, text, 256);
    EXPECT_EQ(run.LineBuffer.size(), c.kept);
    // The raw copy holds only the first 256 bytes of a line.
    EXPECT_EQ(run.RawLineCount, c.kept == 0 ? 0 : 256);
    EXPECT_TRUE(window.Text(control::OutTextBox).empty());
  }
}

TEST(AssembleLines, FourHundredRuleRunsOnlyAtTheEndOfAChunk) {
  RunState run;
  TestWindow window;
  RecordingObserver observer;
  // 420 bytes before the line feed, all in one chunk of the test: the line is complete
  // before the chunk ends, so it is looked at as a whole.
  const std::string line = std::string(418, 'A') + "\r\n";
  Feed(run, window, line, &observer);
  ASSERT_EQ(observer.lines.size(), 1u);
  EXPECT_EQ(observer.lines[0].text, line);
  EXPECT_EQ(window.Text(control::OutTextBox), line);
}

TEST(AssembleLines, LongLineDoesNotOverflowTheRawCopy) {
  // A GPTXT sentence longer than 256 bytes whose checksum over the whole body would be good:
  // its star lies beyond the stored bytes, so it fails and is handled as a reply.
  const std::string line = testing::WithChecksum("GPTXT," + std::string(280, 'B'));
  RunState run;
  TestWindow window;
  RecordingObserver observer;
  Feed(run, window, line, &observer);
  ASSERT_EQ(observer.lines.size(), 1u);
  EXPECT_FALSE(observer.lines[0].good);
  EXPECT_EQ(window.Text(control::OutTextBox), line);  // the memo has every byte
  EXPECT_EQ(run.RawLineCount, 0);
}

TEST(AssembleLines, GoodChecksumWithinTheStoredBytesOfALongLine) {
  // The checksum is within the first 256 bytes, the line goes on after it: good, and
  // dispatched. Over 100 characters, it keeps the previous identifier (here VTG).
  RunState run;
  TestWindow window;
  RecordingObserver observer;
  Feed(run, window, kVtg, &observer);
  window.SetChecked(control::CheckBox6, false);
  const std::string line = "$AB*03" + std::string(300, ' ') + "\r\n";
  Feed(run, window, line, &observer);
  ASSERT_EQ(observer.lines.size(), 2u);
  EXPECT_TRUE(observer.lines[1].good);
  EXPECT_EQ(observer.dispatched.back(), "GPVTG");
  EXPECT_TRUE(window.Checked(control::CheckBox6));
}

TEST(AssembleLines, TrimsTheMemoAfterOneHundredFiftyCharacters) {
  struct Case {
    std::size_t memoLength;
    bool trimmed;
  };
  for (const Case c : {Case{150, false}, Case{151, true}}) {
    SCOPED_TRACE(c.memoLength);
    RunState run;
    TestWindow window;
    const std::string first = std::string(49, 'x') + "\n";
    const std::string rest(c.memoLength - first.size(), 'y');
    window.SetText(control::OutTextBox, first + rest);
    Feed(run, window, kVtg);
    EXPECT_EQ(window.Text(control::OutTextBox),
              (c.trimmed ? rest : first + rest) + std::string(kVtg));
  }
}

TEST(AssembleLines, TrimsAtMostOneLinePerReceivedLine) {
  RunState run;
  TestWindow window;
  const std::string memo = "a\nb\nc\n" + std::string(200, 'z') + "\n";
  window.SetText(control::OutTextBox, memo);
  Feed(run, window, std::string(kVtg) + std::string(kVtgWrongDigit));
  // Two lines received, two memo lines deleted; bad lines count as well.
  EXPECT_EQ(window.Text(control::OutTextBox),
            memo.substr(4) + std::string(kVtg) + std::string(kVtgWrongDigit));
}

TEST(AssembleLines, RepliesFromBadLines) {
  RunState run;
  TestWindow window;
  Feed(run, window, "[GPS receiver ready]\r\n12345678901Version 001090  \r\n");
  EXPECT_EQ(window.Caption(), "[GPS receiver ready]\r\n");
  EXPECT_EQ(window.Text(control::Edit7), "V 20");
}

TEST(AssembleLines, GoodLinesAreNotReplies) {
  // "[" then a body and a good checksum: dispatched (nothing matches), not a caption.
  RunState run;
  TestWindow window;
  RecordingObserver observer;
  Feed(run, window, "[AB*03\r\n", &observer);
  EXPECT_EQ(window.Caption(), "GPS 1.4A");
  EXPECT_EQ(observer.dispatched, std::vector<std::string>{"AB*03"});
}

TEST(AssembleLines, ConversionErrorCostsOnlyItsLine) {
  RunState run;
  TestWindow window;
  RecordingObserver observer;
  run.SilenceCount = 7;
  window.SetText(control::EdHeight, "before");
  const std::vector<std::string> errors =
      Feed(run, window, std::string(kGgaBadHeight) + std::string(kVtg) + "$GP", &observer);
  EXPECT_EQ(errors, std::vector<std::string>{"'1x2.5' is not a valid floating point value"});
  EXPECT_EQ(observer.failures, errors);
  // The GGA branch stopped at the bad field: no tick, no height, silence count untouched by
  // it (the VTG after it clears it).
  EXPECT_FALSE(window.Checked(control::CheckBox1));
  EXPECT_EQ(window.Text(control::EdHeight), "before");
  // The line was emptied and the next one dispatched; the partial line after it is kept.
  EXPECT_EQ(observer.dispatched, (std::vector<std::string>{"GPGGA", "GPVTG"}));
  EXPECT_TRUE(window.Checked(control::CheckBox6));
  EXPECT_EQ(run.SilenceCount, 0);
  EXPECT_EQ(run.LineBuffer, "$GP");
  EXPECT_EQ(window.Text(control::OutTextBox), std::string(kGgaBadHeight) + std::string(kVtg));
  EXPECT_EQ(window.Repaints(control::OutTextBox), 1);
}

TEST(AssembleLines, ConversionErrorLeavesTheBranchWhereItStopped) {
  struct Case {
    const char* what;
    std::string_view line;
    const char* message;
    const char* checkBox;
    bool ticked;
    const char* untouchedBox;
  };
  const Case cases[] = {
      {"GGA", kGgaBadHeight, "'1x2.5' is not a valid floating point value", "CheckBox1", false,
       "EdHeight"},
      {"RMC", kRmcBadLatitude, "'52x2.981832' is not a valid floating point value", "CheckBox4",
       true, "Edit8"},
      {"GSA", kGsaBadSatellite, "'2?' is not a valid integer value", "CheckBox2", true, "EdPDOP"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RunState run;
    TestWindow window;
    run.SilenceCount = 3;
    run.FixModeText = "2";
    window.SetText(c.untouchedBox, "before");
    const std::vector<std::string> errors = Feed(run, window, c.line);
    EXPECT_EQ(errors, std::vector<std::string>{c.message});
    EXPECT_EQ(window.Checked(c.checkBox), c.ticked);
    EXPECT_EQ(window.Text(c.untouchedBox), "before");
    EXPECT_EQ(run.SilenceCount, 3);
    EXPECT_EQ(run.FixModeText, "2");
    EXPECT_TRUE(run.LineBuffer.empty());
    EXPECT_EQ(run.RawLineCount, 0);
  }
}

TEST(AssembleLines, FieldsBeforeTheBadOneKeepTheirValues) {
  RunState run;
  TestWindow window;
  Feed(run, window, kRmcBadLatitude);
  EXPECT_FLOAT_EQ(run.GpsState.UtcTime, 81439.0f);
  EXPECT_FLOAT_EQ(run.GpsState.Latitude, 0.0f);
  EXPECT_TRUE(run.GpsState.LatHemisphere.empty());
}

TEST(AssembleLines, ReturnsEveryErrorOfTheChunkInOrder) {
  RunState run;
  TestWindow window;
  const std::vector<std::string> errors = Feed(
      run, window, std::string(kGsaBadSatellite) + std::string(kGgaBadHeight) + std::string(kGga));
  EXPECT_EQ(errors, (std::vector<std::string>{"'2?' is not a valid integer value",
                                              "'1x2.5' is not a valid floating point value"}));
  EXPECT_EQ(window.Text(control::EdHeight), "102.9");
}

TEST(DiscardPartialLine, EmptiesBothCopies) {
  RunState run;
  TestWindow window;
  Feed(run, window, "$GPGGA,0814");
  DiscardPartialLine(run);
  EXPECT_TRUE(run.LineBuffer.empty());
  EXPECT_EQ(run.RawLineCount, 0);
  // The next line starts afresh.
  Feed(run, window, kVtg);
  EXPECT_TRUE(window.Checked(control::CheckBox6));
}

}  // namespace
}  // namespace sattrail
