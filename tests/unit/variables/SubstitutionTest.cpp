// Names to values, values back to names, the order by depth and the path
// look-up, on hand-made tables.
#include <gtest/gtest.h>

#include "platform/NullPlatform.h"
#include "variables/Substitution.h"
#include "variables/UserSet.h"

namespace tessary {
namespace {

Variable var(const char* name, const char* value, std::int32_t isPath = 1, const char* defaultText = "") {
  Variable v;
  v.name = name;
  v.value = value;
  v.defaultText = defaultText;
  v.isPath = isPath;
  return v;
}

UserContext startMenuUser() {
  UserContext user;
  user.variables = {
      var("$Start Menu$", "C:\\P\\Start Menu"),
      var("$Windows$", "C:\\WINDOWS"),
      var("$Programs$", "C:\\P\\Start Menu\\Programs"),
      var("$Username$", "bob", 0),
      var("$System Drive$", "C:"),
  };
  sortUserVariables(user);
  return user;
}

TEST(SortUserVariables, MostBackslashesFirstAndTiesKeepTheirOrder) {
  UserContext user;
  user.variables = {var("$a$", "x"), var("$b$", "C:\\1\\2"), var("$c$", "\\\\srv\\s\\d"), var("$d$", "C:\\1"),
                    var("$e$", "C:\\9\\8")};
  sortUserVariables(user);
  std::string order;
  for (const Variable& v : user.variables) order += v.name;
  EXPECT_EQ(order, "$c$$b$$e$$d$$a$");
}

TEST(SubstituteVariables, Modes) {
  UserContext user;
  user.variables = {var("$A$", "aa"), var("$B$", "bb"), var("$Self$", "x$self$y")};
  const struct {
    const char* text;
    int mode;
    const char* expected;
    int result;
  } cases[] = {
      {"$a$-$A$-$B$", 0, "aa-$A$-$B$", 1},       // first occurrence of the first variable
      {"$a$-$A$-$B$", 1, "aa-aa-$B$", 1},        // every occurrence of the first variable
      {"$a$-$A$-$B$", 2, "aa-aa-bb", 1},         // every variable
      {"$B$ and $A$", 0, "$B$ and aa", 1},       // list order decides, not text order
      {"$B$ and $A$", 7, "$B$ and aa", 1},       // unknown modes act as the first
      {"$SELF$/$self$", 2, "x$self$y/x$self$y", 1},  // an inserted value is not searched again
      {"no names", 2, "no names", 0},
      {"", 2, "", 0},
      {"$A", 2, "$A", 0},
  };
  for (const auto& c : cases) {
    std::string text = c.text;
    EXPECT_EQ(substituteVariables(user, text, c.mode), c.result) << c.text << " mode " << c.mode;
    EXPECT_EQ(text, c.expected) << c.text << " mode " << c.mode;
  }
}

TEST(SubstituteVariables, EmptyNameNeverMatches) {
  UserContext user;
  user.variables = {var("", "boom"), var("$A$", "aa")};
  std::string text = "x$A$";
  EXPECT_EQ(substituteVariables(user, text, 2), 1);
  EXPECT_EQ(text, "xaa");
}

TEST(UnsubstituteVariables, Modes) {
  const UserContext user = startMenuUser();
  const struct {
    const char* text;
    int mode;
    const char* expected;
    int result;
  } cases[] = {
      // The deepest folder wins because the list is sorted.
      {"C:\\P\\Start Menu\\Programs\\App", 0, "$Programs$\\App", 1},
      {"c:\\p\\start menu\\programs\\App", 0, "$Programs$\\App", 1},
      // A sibling whose name begins the same is not a match with the backslash.
      {"C:\\P\\Start Menu2\\x", 0, "$System Drive$\\P\\Start Menu2\\x", 1},
      {"C:\\P\\Start Menu2\\x", 2, "$Start Menu$2\\x", 1},
      // Other modes replace one occurrence of one folder.
      {"C:\\WINDOWS\\a;C:\\WINDOWS\\b", 0, "$Windows$\\a;C:\\WINDOWS\\b", 1},
      // Mode 2 replaces every occurrence of every folder, deepest first.
      {"C:\\WINDOWS\\a;C:\\WINDOWS\\b;C:\\P\\Start Menu\\Programs", 2,
       "$Windows$\\a;$Windows$\\b;$Programs$", 1},
      // A folder equal to the whole text needs mode 2: the others want a backslash after it.
      {"C:\\WINDOWS", 0, "$System Drive$\\WINDOWS", 1},
      {"C:\\WINDOWS", 2, "$Windows$", 1},
      // Plain facts are never put back.
      {"bob\\x", 2, "bob\\x", 0},
      {"D:\\data", 0, "D:\\data", 0},
  };
  for (const auto& c : cases) {
    std::string text = c.text;
    EXPECT_EQ(unsubstituteVariables(user, text, c.mode), c.result) << c.text << " mode " << c.mode;
    EXPECT_EQ(text, c.expected) << c.text << " mode " << c.mode;
  }
}

TEST(UnsubstituteVariables, EmptyOrUnavailableValueFallsBackToTheDefault) {
  UserContext user;
  user.variables = {var("$Gone$", "<N/A>", 1, "D:\\Old"), var("$Empty$", "", 1, "E:\\Def\\"),
                    var("$Nothing$", "", 1, "")};
  std::string text = "D:\\Old\\f.txt";
  EXPECT_EQ(unsubstituteVariables(user, text, 0), 1);
  EXPECT_EQ(text, "$Gone$\\f.txt");
  text = "E:\\Def\\f.txt";
  EXPECT_EQ(unsubstituteVariables(user, text, 0), 1);
  EXPECT_EQ(text, "$Empty$\\f.txt");
  text = "E:\\Def and D:\\Old";
  EXPECT_EQ(unsubstituteVariables(user, text, 2), 1);
  EXPECT_EQ(text, "E:\\Def and $Gone$");
  // A variable with neither value nor default matches nothing.
  text = "anything";
  EXPECT_EQ(unsubstituteVariables(user, text, 2), 0);
  EXPECT_EQ(text, "anything");
}

TEST(VariableForPath, WholePathMatchesOfPathVariables) {
  UserContext user = startMenuUser();
  user.variables.push_back(var("$App Dir$", "C:\\Apps\\Mine"));
  user.variables.push_back(var("$Old$", "<N/A> gone", 1, "D:\\Old"));
  user.variables.push_back(var("$Fact$", "C:\\Fact", 0));
  const struct {
    const char* path;
    FolderId id;
    const char* name;
  } cases[] = {
      {"C:\\P\\Start Menu\\Programs", kFolderPrograms, "$Programs$"},
      {"c:\\windows", kFolderWindows, "$Windows$"},
      {"C:", kFolderSystemDrive, "$System Drive$"},
      {"C:\\Apps\\Mine", kFolderOtherPath, "$App Dir$"},
      {"D:\\Old", kFolderOtherPath, "$Old$"},
      {"C:\\Fact", kFolderNone, ""},
      {"C:\\WINDOWS\\", kFolderNone, ""},
      {"C:\\P\\Start", kFolderNone, ""},
      {"", kFolderNone, ""},
  };
  for (const auto& c : cases) {
    const PathVariable found = variableForPath(user, c.path);
    EXPECT_EQ(found.id, c.id) << c.path;
    EXPECT_EQ(found.name, c.name) << c.path;
  }
}

TEST(UserSet, FirstUserLookupsAndTheUndoPackageRule) {
  class NoComputer : public NullPlatform {} platform;
  UserSet users(platform, SystemFamily{true, 5, 1});
  std::string text = "C:\\WINDOWS\\x";
  EXPECT_EQ(users.unsubstituteVariables(text, 0), 0);  // no users yet
  EXPECT_EQ(users.variableForPath("C:\\WINDOWS").id, kFolderNone);

  users.users().push_back(startMenuUser());
  UserContext second;
  second.variables = {var("$Windows$", "E:\\WIN")};
  users.users().push_back(second);
  EXPECT_EQ(users.variableForPath("C:\\WINDOWS").name, "$Windows$");
  EXPECT_EQ(users.variableForPath("E:\\WIN").name, "");
  EXPECT_EQ(users.unsubstituteVariables(text, 0), 1);
  EXPECT_EQ(text, "$Windows$\\x");

  // An undo package keeps absolute paths.
  users.setUndoPackage(true);
  text = "C:\\WINDOWS\\x";
  EXPECT_EQ(users.unsubstituteVariables(text, 2), 0);
  EXPECT_EQ(text, "C:\\WINDOWS\\x");
  const PathVariable none = users.variableForPath("C:\\WINDOWS");
  EXPECT_EQ(none.id, kFolderNone);
  EXPECT_EQ(none.name, "");
}

}  // namespace
}  // namespace tessary
