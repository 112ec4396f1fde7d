// The install sequence from start to exit on simulated computers: each
// scenario builds a package, sets up a computer, runs the package and
// reads back the exit code, the log and the transcript of what was shown.
#include <gtest/gtest.h>

#include <fstream>
#include <random>

#include "ScenarioComputer.h"

namespace tessary::scenario {
namespace {

namespace fs = std::filesystem;

struct Setting {
  std::string section;
  std::string key;
  std::string value;
};

struct Scenario {
  std::string name;
  std::string os;
  std::string package;  // lines of [package] beyond the title
  std::string extra;    // further tables of the manifest
  std::vector<Setting> machine;
  std::string switches;
  int code;
  std::vector<std::string> logHas;  // in this order
  std::vector<std::string> logLacks;
  std::vector<std::string> shown;  // in transcript.txt
};

const std::string kDenied = "NUP FAILURE!  Install condition(s) listed above not met.";
const std::string kComplete = " Tessary process complete.\r\n";

fs::path payloadFolder(const std::string& name) {
  fs::path payload = workFolder(name + "-payload");
  fs::create_directories(payload);
  std::ofstream(payload / "a.txt") << "a small file\n";
  // Data that does not compress, so that its stored size is its size.
  std::mt19937 random(7);
  std::string big(2 * 1024 * 1024, '\0');
  for (char& c : big) c = static_cast<char>(random());
  std::ofstream(payload / "big.bin", std::ios::binary) << big;
  return payload;
}

std::string manifestFor(const Scenario& s) {
  return "[package]\ntitle = \"Scenario\"\ndescription = \"A scenario package\"\n" + s.package + "\n" + s.extra;
}

void expectInOrder(const std::string& text, const std::vector<std::string>& parts, const std::string& what) {
  std::size_t at = 0;
  for (const std::string& part : parts) {
    std::size_t found = text.find(part, at);
    ASSERT_NE(found, std::string::npos) << what << " lacks (in order) \"" << part << "\":\n" << text;
    at = found + part.size();
  }
}

const std::vector<Scenario>& scenarios() {
  static const std::vector<Scenario> table = {
      {"SuccessOnXp", "xp", "", "", {}, "/q", 0,
       {"=====\t06/15/05 10:30:00  app.exe\t=====\r\n", "NOTE!  All install conditions were met.\r\n",
        "Computer Name: WKS-XP-014\r\n", "NUP Title: Scenario\r\n", "NUP Description: A scenario package\r\n",
        "\r\nSwitches used were: /q\r\n", "This NUP will affect the following users:  Current User.\r\n",
        "PERFORMING FILE OPERATIONS IN NUP", "PERFORMING REGISTRY OPERATIONS IN NUP", kComplete, "\r\n\r\n=====\t"},
       {"Exiting with error code", "NUP ERROR", "Quiet Mode is ON"},
       {"window: TessaryPackageBackgroundWindow", "pressed: begin (quiet timer)"}},
      {"SuccessOn98", "98", "", "", {}, "/q", 0,
       {"NOTE!  All install conditions were met.", "Current User.", kComplete}, {"Exiting with error code"}, {}},
      {"MinimizedRunShowsTheIconInstead", "xp", "", "", {}, "/qm", 0, {kComplete}, {}, {"shown: hidden"}},
      {"WrongSystem", "xp", "target_systems = [\"2000\"]", "", {}, "/q", 18,
       {"This NUP is designed to run on the following operating systems:\r\n Windows 2000\r\n\r\n",
        "Exiting with error code 18.\r\n"},
       {"Computer Name"}, {}},
      {"WrongSystemListsTheOthersInOrder", "xp", "target_systems = [\"95\", \"98\", \"me\", \"nt4\", \"2000\"]", "",
       {}, "/q", 18,
       {":\r\n Windows 2000\r\n Windows ME\r\n Windows 98\r\n Windows 95\r\n Windows NT\r\n"}, {"Windows XP\r\n"}, {}},
      {"WrongSystemInASimulationEndsToo", "xp", "target_systems = [\"2000\"]", "", {}, "/si:C:\\sim.log", 18,
       {"SIMULATED INSTALLATION", "NUP FAILURE!  This OS is not valid for this NUP.", "Exiting with error code 18."},
       {"NUP INSTALL COMPLETE"}, {}},
      {"RegistryConditionFails", "xp", "",
       "[conditions.registry]\nkey = 'HKEY_LOCAL_MACHINE\\Software\\Nobody'\nkind = \"exists\"\n", {}, "", 22,
       {"NUP FAILURE!  Registry conditions failed.", kDenied, "Exiting with error code 22."}, {},
       {"The registry install conditions were not met. This NUP will not execute until the conditions are met."}},
      {"MemoryConditionFails", "xp", "", "[conditions]\nmemory_mb = 100000\n", {}, "", 22,
       {"NUP FAILURE!  RAM install conditions were not met.", kDenied}, {}, {"The RAM install conditions"}},
      {"FileConditionFails", "xp", "", "[conditions.file]\npath = 'C:\\nothing.txt'\nkind = \"exists\"\n", {}, "",
       22, {"NUP FAILURE!  File conditions failed.", kDenied}, {}, {"The File install conditions"}},
      {"DriveSpaceConditionFails", "xp", "", "[[conditions.drive_space]]\ndrive = \"C\"\nmb = 999999\n", {}, "", 22,
       {"NUP FAILURE!  Drive Space install conditions were not met.", kDenied}, {},
       {"The Drive Space install conditions"}},
      {"EveryFailingConditionIsReported", "xp", "",
       "[conditions]\nmemory_mb = 100000\n[conditions.registry]\nkey = 'HKEY_LOCAL_MACHINE\\Software\\Nobody'\n"
       "kind = \"exists\"\n[conditions.file]\npath = 'C:\\nothing.txt'\nkind = \"exists\"\n"
       "[[conditions.drive_space]]\ndrive = \"C\"\nmb = 999999\n",
       {}, "/q", 22,
       // Quiet: each said text is logged, the second lines are not.
       {"The registry install conditions", "The RAM install conditions", "The File install conditions",
        "The Drive Space install conditions", kDenied},
       {"Registry conditions failed."}, {}},
      {"EveryConditionHolds", "xp", "",
       "[conditions]\nmemory_mb = 32\n[conditions.registry]\n"
       "key = 'HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion'\nvalue = \"ProgramFilesDir\"\n"
       "kind = \"compare\"\noperator = \"contains\"\ndata = \"program\"\n"
       "[conditions.file]\npath = '$Windows$\\nothing.dll'\nkind = \"absent\"\n"
       "[[conditions.drive_space]]\ndrive = \"C\"\nmb = 1\n",
       {}, "/q", 0, {"NOTE!  All install conditions were met.", kComplete}, {"FAILURE"}, {}},
      {"AFailedConditionInASimulationGoesOn", "xp", "", "[conditions]\nmemory_mb = 100000\n", {},
       "/q /si:C:\\sim.log", 22,
       {kDenied, "SIMULATING FILE OPERATIONS IN NUP", "SIMULATING REGISTRY OPERATIONS IN NUP",
        "************    NUP INSTALL COMPLETE    ************", kComplete},
       {"Exiting with error code"}, {}},
      {"NoAdministratorRights", "xp", "", "", {{"session", "admin", "no"}}, "/q", 3,
       {"You do not have the proper rights to run this NUP on this machine.",
        "NUP FAILURE!  Administator rights are required to run this NUP.", "Exiting with error code 3."},
       {}, {}},
      {"RightsAreNotAskedWithTheSkipSwitch", "xp", "", "", {{"session", "admin", "no"}}, "/q /s", 0, {kComplete},
       {"Administator"}, {}},
      {"RightsAreNotAskedOnThe95Family", "98", "", "", {{"session", "admin", "no"}}, "/q", 0, {kComplete}, {}, {}},
      {"QuietWithoutPassword", "xp", "password = \"secret\"", "", {}, "/q", 9,
       {"NOTE!  Run password required for this NUP.",
        "NUP FAILURE! This Tessary package required a password. If run in quiet mode you must pass the password "
        "on the command line of the Tessary package.",
        "Exiting with error code 9."},
       {}, {}},
      {"WrongPassword", "xp", "password = \"secret\"", "", {}, "/q /p:wrong", 7,
       {"NUP FAILURE! The password entered does not match.", "Exiting with error code 7."}, {}, {}},
      {"RightPassword", "xp", "password = \"secret\"", "", {}, "/q /p:secret", 0, {kComplete}, {"FAILURE"}, {}},
      {"PasswordDialogCancelled", "xp", "password = \"secret\"", "", {{"ui", "answers", "cancel"}}, "", 8,
       {"NOTE!  Run password required for this NUP.", "Exiting with error code 8."}, {"match"},
       {"dialog: Password"}},
      {"PasswordTypedInTheDialog", "xp", "password = \"secret\"", "", {{"ui", "answers", "secret"}}, "", 0,
       {kComplete}, {"match"}, {"dialog: Password", "pressed: begin"}},
      {"WrongPasswordTypedInTheDialog", "xp", "password = \"secret\"", "", {{"ui", "answers", "guess"}}, "", 7,
       {"NUP FAILURE! The password entered does not match."}, {},
       {"dialog: Password", "text: The password entered does not match."}},
      {"MissingDrive", "xp", "", "[[files]]\ntarget = 'Q:\\Data'\nfolder = true\n", {}, "/q", 21,
       {"Q: Drive does not exist or is not writable. Check your drive mappings and try again.",
        "NUP FAILURE!  A drive needed for this NUP does not exist on the machine.", "Exiting with error code 21."},
       {}, {}},
      {"NotEnoughSpaceQuiet", "xp", "", "[[files]]\nsource = 'big.bin'\ntarget = 'C:\\Data\\big.bin'\n",
       {{"drives", "C", "fixed,1M,10G"}}, "/q", 5,
       {"NUP FAILURE!  Not enough space on the drives for the NUP to execute.", "Exiting with error code 5."}, {},
       {}},
      {"NotEnoughSpaceAnsweredNo", "xp", "", "[[files]]\nsource = 'big.bin'\ntarget = 'C:\\Data\\big.bin'\n",
       {{"drives", "C", "fixed,1M,10G"}, {"ui", "answers", "no"}}, "", 5,
       {"NUP FAILURE!  Not enough space on the drives for the NUP to execute."}, {},
       {"text: Not enough free space on C: Do you want to continue?", "answer: no"}},
      {"SpaceForTheFilesButNotForUndo", "xp", "",
       "[[files]]\nsource = 'big.bin'\ntarget = 'C:\\Data\\big.bin'\n",
       {{"drives", "C", "fixed,2500K,10G"}, {"ui", "answers", "yes"}}, "", 0, {kComplete}, {"NUP FAILURE!  Not"},
       {"text: Not enough free space on C: Do you want to disable Undo?", "answer: yes"}},
      {"NoSpaceCheckWithTheSwitch", "xp", "", "[[files]]\nsource = 'big.bin'\ntarget = 'C:\\Data\\big.bin'\n",
       {{"drives", "C", "fixed,1M,10G"}}, "/q /od", 0, {kComplete}, {"Not enough space"}, {}},
      {"FolderAccessDenied", "xp", "", "[[files]]\ntarget = '$Program Files$\\App'\nfolder = true\n",
       {{"faults", "deniedFolders", "C:\\Program Files"}}, "/q", 93,
       // The folder exists and refuses the probe file.
       {"Access was denied for \"C:\\Program Files\"",
        "NUP FAILURE!  Could not access one or more directories needed to run this NUP.  ",
        "Exiting with error code 93."},
       {}, {}},
      {"FolderAccessIsNotProbedInASimulation", "xp", "",
       "[[files]]\ntarget = '$Program Files$\\App'\nfolder = true\n",
       {{"faults", "deniedFolders", "C:\\Program Files"}}, "/q /si:C:\\sim.log", 0, {"NUP INSTALL COMPLETE"},
       {"Access was denied"}, {}},
      {"UnknownUserInAList", "xp", "", "", {}, "/q /cu:jsmith;ghost", 1,
       {"This NUP will affect the following users:  jsmith;ghost.",
        "NUP ERROR! - The specified user \"ghost\" could not be found on this machine. No settings will be written "
        "for this user.\r\n\r\n",
        "NUP FAILURE! Unable to initialize the variables.", "Exiting with error code 1."},
       {}, {}},
      {"AllUsers", "xp", "", "", {}, "/q /a", 0, {"This NUP will affect the following users:  All Users.", kComplete},
       {}, {}},
      {"DebugIsVerboseEvenAtLevelZero", "xp", "", "", {}, "/q /d /vb:0", 0,
       {"Overwrite type: Overwrite older files only", "Overwrite Prompt is OFF", "Quiet Mode is ON",
        "Windows XP Version: 5 minorVersion: 1", "\r\nTessary Variables:\r\n\tUser: ", "\t\tVariable: $Windows$\r\n",
        "\t\tValue: C:\\WINDOWS\r\n\r\n", kComplete},
       {}, {}},
      {"ASimulationInstallsNothing", "xp", "", "", {}, "/q /si:C:\\nofolder\\sim.log", 0,
       {"************    SIMULATED INSTALLATION    ************", "Tessary Variables:",
        "SIMULATING FILE OPERATIONS IN NUP", "SIMULATING REGISTRY OPERATIONS IN NUP",
        "************    NUP INSTALL COMPLETE    ************", kComplete},
       {"PERFORMING"}, {}},
      {"AnotherInstanceRuns", "xp", "", "", {{"session", "instance", "running"}}, "/q", 0, {}, {"====="}, {}},
      {"HandedToTheService", "xp", "run_mode = \"service\"", "", {{"service", "window", "yes"}}, "/q", 0,
       {"NOTE!  This NUP will run through the Service. \r\nCheck for that log file in the Service's Temp dir.",
        "Exiting with error code 0."},
       {"Computer Name"}, {}},
      {"NoServiceToHandTo", "xp", "run_mode = \"service\"", "", {}, "/q", 4,
       {"NUP FAILURE! You do not have the proper rights to run this NUP on this machine.",
        "Exiting with error code 4."},
       {}, {}},
      {"ExitBeforeBegin", "xp", "", "", {{"ui", "answers", "exit"}}, "", 15, {"Exiting with error code 15."},
       {kComplete, "cancelled"}, {"pressed: exit"}},
      {"ExitDuringThePassesConfirmed", "xp", "", "[[files]]\nsource = 'a.txt'\ntarget = 'C:\\Data\\a.txt'\n",
       {{"ui", "answers", "begin, exit-during, yes"}}, "", 14,
       {"This NUP was cancelled during the install.", "Exiting with error code 14."}, {kComplete},
       {"Are you sure you want to Exit?"}},
      // No desktop for the progress window: a quiet run installs without it,
      // a run that waits for Begin ends without reporting success.
      {"NoWindowQuietInstallsWithoutIt", "xp", "", "[[files]]\nsource = 'a.txt'\ntarget = 'C:\\Data\\a.txt'\n",
       {{"ui", "answers", "no-window"}}, "/q", 0,
       {"NOTE!  The progress window could not be shown; the NUP is installed without it.",
        "PERFORMING FILE OPERATIONS IN NUP", "PERFORMING REGISTRY OPERATIONS IN NUP", kComplete},
       {}, {"dialog not shown"}},
      {"NoWindowInteractiveInstallsNothing", "xp", "", "[[files]]\nsource = 'a.txt'\ntarget = 'C:\\Data\\a.txt'\n",
       {{"ui", "answers", "no-window"}}, "", 1,
       {"NUP ERROR! - The progress window could not be shown, so the install could not be started.  Nothing was "
        "installed.",
        "Exiting with error code 1."},
       {"PERFORMING", kComplete}, {"dialog not shown"}},
      {"EntriesThisRuntimeCannotInstallAreErrors", "xp", "",
       "[[files]]\nsource = 'a.txt'\ntarget = 'C:\\Data\\a.ini'\nmerge = true\n", {}, "", 0,
       {"NUP ERROR! - File C:\\Data\\a.ini was not written: this runtime cannot merge text files yet.",
        kComplete},
       {}, {"There are one or more errors see the log file for more information."}},
      {"FileOnlyScope", "xp", "", "", {}, "/q /i:1", 0,
       {"This NUP was started with the file only installation switch.", "PERFORMING FILE OPERATIONS"},
       {"PERFORMING REGISTRY OPERATIONS"}, {}},
      {"RegistryOnlyScope", "xp", "", "", {}, "/q /i:2", 0,
       {"This NUP was started with the registry only installation switch.", "PERFORMING REGISTRY OPERATIONS"},
       {"PERFORMING FILE OPERATIONS"}, {}},
  };
  return table;
}

void PrintTo(const Scenario& scenario, std::ostream* out) { *out << scenario.name; }

class InstallSequence : public testing::TestWithParam<Scenario> {};

TEST_P(InstallSequence, EndsAsExpected) {
  const Scenario& s = GetParam();
  ScenarioComputer computer(workFolder(s.name), s.os);
  for (const Setting& setting : s.machine) computer.set(setting.section, setting.key, setting.value);
  fs::path package = computer.buildPackage(manifestFor(s), payloadFolder(s.name));
  RunResult result = computer.run(package, s.switches);
  EXPECT_EQ(result.code, s.code) << result.log << result.transcript;
  expectInOrder(result.log, s.logHas, "log");
  for (const std::string& absent : s.logLacks)
    EXPECT_EQ(result.log.find(absent), std::string::npos) << "log holds \"" << absent << "\":\n" << result.log;
  expectInOrder(result.transcript, s.shown, "transcript");
}

INSTANTIATE_TEST_SUITE_P(Scenarios, InstallSequence, testing::ValuesIn(scenarios()),
                         [](const testing::TestParamInfo<Scenario>& info) { return info.param.name; });

const std::string kTemp = "C:\\Documents and Settings\\jsmith\\Local Settings\\Temp\\CorvaneTemp\\";
const std::string kPlainManifest = "[package]\ntitle = \"Scenario\"\n";

TEST(InstallSequenceRuns, LevelZeroLeavesNoLog) {
  ScenarioComputer computer(workFolder("LevelZero"), "xp");
  fs::path package = computer.buildPackage(kPlainManifest, payloadFolder("LevelZero"));
  RunResult result = computer.run(package, "/q /vb:0");
  EXPECT_EQ(result.code, 0);
  EXPECT_EQ(result.logPath, "");
  EXPECT_FALSE(fs::exists(computer.hostPath(kTemp + "nupinst.log")));
  EXPECT_TRUE(fs::exists(computer.hostPath(kTemp + "app-un01.exe")));
}

TEST(InstallSequenceRuns, ASimulationLogInAMissingFolderGoesToTheTemporaryFolder) {
  ScenarioComputer computer(workFolder("SimulationLog"), "xp");
  fs::path package = computer.buildPackage(kPlainManifest, payloadFolder("SimulationLog"));
  RunResult result = computer.run(package, "/q /si:C:\\nofolder\\sim.log");
  EXPECT_EQ(result.code, 0);
  EXPECT_EQ(result.logPath, kTemp + "sim.log");
  EXPECT_EQ(result.undoPackagePath, "");
  EXPECT_FALSE(fs::exists(computer.hostPath("C:\\nofolder")));
  EXPECT_FALSE(fs::exists(computer.hostPath(kTemp + "app-un01.exe")));
}

TEST(InstallSequenceRuns, LowRegistryQuotaEndsARunButNotASimulation) {
  struct Case {
    const char* switches;
    int code;
    std::vector<std::string> logHas;
  };
  const std::string low =
      "You are running low on registry quota for this computer and may run out during this process. \r\n\r\n"
      "Please increase the size of the quota before continuing.\r\n";
  const std::string failure = "NUP FAILURE!  NUP will exceed the registry quota.\r\n";
  for (const Case& c : {Case{"/q", 20, {low, failure, "Exiting with error code 20."}},
                        Case{"/q /si:C:\\sim.log", 20, {low, failure, "NUP INSTALL COMPLETE", kComplete}},
                        Case{"/q /oq", 0, {kComplete}}}) {
    ScenarioComputer computer(workFolder("LowQuota"), "xp");
    computer.addRegistryValue("HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control",
                              "\"RegistrySizeLimit\"=dword:00000010");
    fs::path package = computer.buildPackage(kPlainManifest, payloadFolder("LowQuota"));
    RunResult result = computer.run(package, c.switches);
    EXPECT_EQ(result.code, c.code) << c.switches << "\n" << result.log;
    expectInOrder(result.log, c.logHas, c.switches);
  }
}

TEST(InstallSequenceRuns, ALogThatCannotBeOpenedDoesNotStopTheRun) {
  ScenarioComputer computer(workFolder("LockedLog"), "xp");
  computer.touch(kTemp + "nupinst.log");
  computer.set("faults", "locked", kTemp + "nupinst.log");
  fs::path package = computer.buildPackage(kPlainManifest, payloadFolder("LockedLog"));
  RunResult result = computer.run(package, "/q");
  EXPECT_EQ(result.code, 0);
  EXPECT_EQ(result.logPath, "");
  EXPECT_TRUE(fs::exists(computer.hostPath(kTemp + "app-un01.exe")));
}

TEST(InstallSequenceRuns, ADamagedPackageHasNothingToProcess) {
  ScenarioComputer computer(workFolder("Damaged"), "xp");
  fs::path package = computer.buildPackage(kPlainManifest, payloadFolder("Damaged"));
  const std::string whole = readText(package);
  // Cut inside the archive, and garble its directory, in two packages.
  const std::vector<std::string> damaged = {whole.substr(0, whole.size() / 2 + 600),
                                            whole.substr(0, 1024) + std::string(whole.size() - 1024, '\x5A')};
  for (std::size_t i = 0; i < damaged.size(); ++i) {
    fs::path broken = workFolder("Damaged-build") / ("broken" + std::to_string(i) + ".exe");
    std::ofstream(broken, std::ios::binary) << damaged[i];
    RunResult result = computer.run(broken, "/q");
    EXPECT_EQ(result.code, 1) << i;
    EXPECT_EQ(result.exitText, "Undefined Error 1") << i;
  }
}

TEST(InstallSequenceRuns, TwoRunsAppendTwoHeaders) {
  ScenarioComputer computer(workFolder("TwoRuns"), "xp");
  fs::path package = computer.buildPackage(kPlainManifest, payloadFolder("TwoRuns"));
  computer.run(package, "/q");
  RunResult second = computer.run(package, "/q /p:ignored");
  EXPECT_EQ(second.logPath, kTemp + "nupinst.log");
  const std::string header = "\r\n=====\t06/15/05 10:30:00  app.exe\t=====\r\n";
  const std::string banner = "\r\n\r\n=====\t06/15/05 10:30:00\t=====\r\n";
  expectInOrder(second.log, {header, "Switches used were: /q\r\n", kComplete, banner, header,
                             "Switches used were: /q /p:ignored\r\n", kComplete, banner},
                "log");
}

TEST(InstallSequenceRuns, UndoPackagesTakeTheFirstFreeCounter) {
  struct Case {
    int taken;  // app-un01 .. app-unNN exist already
    const char* expected;
  };
  for (const Case& c : {Case{0, "app-un01.exe"}, Case{2, "app-un03.exe"}, Case{99, "app-un100.exe"}}) {
    const std::string name = "UndoCounter" + std::to_string(c.taken);
    ScenarioComputer computer(workFolder(name), "xp");
    for (int counter = 1; counter <= c.taken; ++counter)
      computer.touch(kTemp + "app-un" + (counter < 10 ? "0" : "") + std::to_string(counter) + ".exe");
    fs::path package = computer.buildPackage(kPlainManifest, payloadFolder(name));
    RunResult result = computer.run(package, "/q");
    EXPECT_EQ(result.code, 0) << result.log;
    EXPECT_EQ(result.undoPackagePath, kTemp + c.expected);
    EXPECT_GT(fs::file_size(computer.hostPath(kTemp + c.expected)), 0u);
  }
}

TEST(InstallSequenceRuns, AnUndoPackageRunsRegistryFirstAndWritesNoUndoOfItsOwn) {
  ScenarioComputer computer(workFolder("UndoRun"), "xp");
  fs::path package = computer.buildPackage(kPlainManifest, payloadFolder("UndoRun"));
  RunResult install = computer.run(package, "/q /a");
  ASSERT_EQ(install.code, 0) << install.log;
  fs::path undo = workFolder("UndoRun-build") / "app-un01.exe";
  fs::copy_file(computer.hostPath(install.undoPackagePath), undo, fs::copy_options::overwrite_existing);
  RunResult result = computer.run(undo, "/q /a");
  EXPECT_EQ(result.code, 0) << result.log;
  EXPECT_EQ(result.undoPackagePath, "");
  expectInOrder(result.log, {"NUP Title: Scenario Undo\r\n", "NUP Description: Undo of -- ",
                             "This NUP will affect the following users:  Current User.",
                             "PERFORMING REGISTRY OPERATIONS", "PERFORMING FILE OPERATIONS", kComplete},
                "log");
  EXPECT_FALSE(fs::exists(computer.hostPath(kTemp + "app-un01-un01.exe")));
}

}  // namespace
}  // namespace tessary::scenario
