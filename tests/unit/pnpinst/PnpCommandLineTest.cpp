#include "pnpinst/PnpCommandLine.h"

#include <gtest/gtest.h>

#include <string>

namespace tessary {
namespace {

constexpr PnpOperation kNone = PnpOperation::None;
constexpr PnpOperation kCopy = PnpOperation::CopyOemInf;
constexpr PnpOperation kUpdate = PnpOperation::UpdateDriver;

struct Case {
  const char* line;
  PnpOperation operation;
  bool runnable;
  const char* infPath;
  const char* setupPath;
  const char* deviceId;
};

void expectCases(const Case* begin, const Case* end) {
  for (const Case* c = begin; c != end; ++c) {
    const PnpRequest r = analysePnpCommandLine(c->line);
    EXPECT_EQ(r.operation, c->operation) << c->line;
    EXPECT_EQ(r.runnable(), c->runnable) << c->line;
    EXPECT_EQ(r.infPath, c->infPath) << c->line;
    EXPECT_EQ(r.setupPath, c->setupPath) << c->line;
    EXPECT_EQ(r.deviceId, c->deviceId) << c->line;
  }
}

TEST(PnpCommandLine, CommandWordsAndArgumentsAnywhereOnTheLine) {
  const Case cases[] = {
      {"pnpinst.exe SetupCopyOEMInf infPath=C:\\drv\\a.inf setupPath=C:\\drv", kCopy, true,
       "C:\\drv\\a.inf", "C:\\drv", ""},
      {"setupPath=D:\\x infPath=D:\\x\\b.inf SetupCopyOEMInf", kCopy, true, "D:\\x\\b.inf",
       "D:\\x", ""},
      {"\"C:\\Tools\\pnpinst.exe\" UpdateDriverForPlugAndPlayDevices DeviceID=PCI\\VEN_1&DEV_2 "
       "infPath=C:\\drv\\n.inf",
       kUpdate, true, "C:\\drv\\n.inf", "", "PCI\\VEN_1&DEV_2"},
      {"infPath=a.inf DeviceID=USB\\X UpdateDriverForPlugAndPlayDevices", kUpdate, true, "a.inf",
       "", "USB\\X"},
      // Both words: the copy is tested first, with its own keys.
      {"UpdateDriverForPlugAndPlayDevices SetupCopyOEMInf DeviceID=X infPath=a setupPath=b",
       kCopy, true, "a", "b", ""},
      {"SetupCopyOEMInf UpdateDriverForPlugAndPlayDevices DeviceID=X infPath=a", kCopy, false,
       "a", "", ""},
      // Words and keys are found inside other text; the word need not stand alone.
      {"xSetupCopyOEMInfy zinfPath=a qsetupPath=b", kCopy, true, "a", "b", ""},
      // Values are taken verbatim up to the first blank: no unquoting.
      {"SetupCopyOEMInf infPath=\"C:\\Program Files\\d.inf\" setupPath=\"C:\\d\"", kCopy, true,
       "\"C:\\Program", "\"C:\\d\"", ""},
      // Tabs are not blanks.
      {"SetupCopyOEMInf infPath=a\tsetupPath=b", kCopy, true, "a\tsetupPath=b", "b", ""},
  };
  expectCases(std::begin(cases), std::end(cases));
}

TEST(PnpCommandLine, EmptyValuesPassOnMissingKeysFail) {
  const Case cases[] = {
      // A key followed by a blank, or ending the line, has an empty value.
      {"SetupCopyOEMInf infPath= setupPath=", kCopy, true, "", "", ""},
      {"UpdateDriverForPlugAndPlayDevices DeviceID= infPath=x", kUpdate, true, "x", "", ""},
      {"SetupCopyOEMInf infPath=a", kCopy, false, "a", "", ""},
      {"SetupCopyOEMInf setupPath=b", kCopy, false, "", "b", ""},
      {"UpdateDriverForPlugAndPlayDevices infPath=a", kUpdate, false, "a", "", ""},
      {"UpdateDriverForPlugAndPlayDevices DeviceID=d", kUpdate, false, "", "", "d"},
      // The update's keys do not serve the copy, nor the other way round.
      {"SetupCopyOEMInf infPath=a DeviceID=d", kCopy, false, "a", "", ""},
      {"UpdateDriverForPlugAndPlayDevices setupPath=s infPath=a", kUpdate, false, "a", "", ""},
      // Keys without their "=" are not keys.
      {"SetupCopyOEMInf infPath a setupPath b", kCopy, false, "", "", ""},
  };
  expectCases(std::begin(cases), std::end(cases));
}

TEST(PnpCommandLine, SearchIsCaseSensitive) {
  const Case cases[] = {
      {"setupcopyoeminf infPath=a setupPath=b", kNone, false, "", "", ""},
      {"UPDATEDRIVERFORPLUGANDPLAYDEVICES DeviceID=d infPath=a", kNone, false, "", "", ""},
      {"SetupCopyOEMInf infpath=a setuppath=b", kCopy, false, "", "", ""},
      {"UpdateDriverForPlugAndPlayDevices deviceid=d INFPATH=a", kUpdate, false, "", "", ""},
      // A wrongly cased key does not hide a correct one later on.
      {"SetupCopyOEMInf infpath=x infPath=a setupPath=b", kCopy, true, "a", "b", ""},
  };
  expectCases(std::begin(cases), std::end(cases));
}

TEST(PnpCommandLine, NoCommandWordMeansNothingToDo) {
  const Case cases[] = {
      {"", kNone, false, "", "", ""},
      {"pnpinst.exe", kNone, false, "", "", ""},
      {"pnpinst.exe infPath=a setupPath=b DeviceID=d", kNone, false, "", "", ""},
      {"SetupCopyOEMIn infPath=a setupPath=b", kNone, false, "", "", ""},
      {"UpdateDriverForPlugAndPlay DeviceID=d infPath=a", kNone, false, "", "", ""},
  };
  expectCases(std::begin(cases), std::end(cases));
}

TEST(PnpCommandLine, RepeatedKeysTakeTheFirst) {
  const Case cases[] = {
      {"SetupCopyOEMInf infPath=first infPath=second setupPath=s setupPath=t", kCopy, true,
       "first", "s", ""},
      // The first occurrence may sit inside another value; it still counts.
      {"SetupCopyOEMInf infPath=setupPath=inner setupPath=outer", kCopy, true,
       "setupPath=inner", "inner", ""},
      {"SetupCopyOEMInfinfPath=a setupPath=b", kCopy, true, "a", "b", ""},
  };
  expectCases(std::begin(cases), std::end(cases));
}

TEST(PnpCommandLine, LongLinesWithoutBlanks) {
  const std::string big(1 << 20, 'x');
  // The request holds views into the line, so each line is kept alive.
  const std::string spaced = "SetupCopyOEMInf infPath=" + big + " setupPath=" + big;
  PnpRequest r = analysePnpCommandLine(spaced);
  EXPECT_TRUE(r.runnable());
  EXPECT_EQ(r.infPath, big);
  EXPECT_EQ(r.setupPath, big);

  // No blank at all: the first value swallows the rest of the line.
  const std::string solid = "SetupCopyOEMInfinfPath=" + big + "setupPath=" + big;
  r = analysePnpCommandLine(solid);
  EXPECT_TRUE(r.runnable());
  EXPECT_EQ(r.infPath, big + "setupPath=" + big);
  EXPECT_EQ(r.setupPath, big);

  // A key that ends the line has an empty value.
  const std::string keyLast = "UpdateDriverForPlugAndPlayDevices" + big + "DeviceID=";
  r = analysePnpCommandLine(keyLast);
  EXPECT_EQ(r.operation, kUpdate);
  EXPECT_FALSE(r.runnable());
  EXPECT_EQ(r.deviceId, "");

  std::string repeated = "SetupCopyOEMInf ";
  for (int i = 0; i < 20000; ++i) repeated += "infPath=" + std::to_string(i) + " ";
  r = analysePnpCommandLine(repeated);
  EXPECT_FALSE(r.runnable());
  EXPECT_EQ(r.infPath, "0");
}

}  // namespace
}  // namespace tessary
