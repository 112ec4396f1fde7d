#include "platform/sim/SimTranscript.h"

#include <fstream>

#include "platform/PlatformTypes.h"
#include "platform/sim/SimText.h"

namespace tessary {

namespace {

struct ButtonSet {
  std::uint32_t style;
  std::vector<const char*> words;
};

const ButtonSet kButtonSets[] = {
    {0, {"ok"}},
    {1, {"ok", "cancel"}},
    {2, {"abort", "retry", "ignore"}},
    {3, {"yes", "no", "cancel"}},
    {4, {"yes", "no"}},
    {5, {"retry", "cancel"}},
    {6, {"cancel", "tryagain", "continue"}},
};

struct Answer {
  const char* word;
  int id;
};
const Answer kAnswers[] = {{"ok", kIdOk},  {"cancel", kIdCancel}, {"abort", 3},     {"retry", 4},
                           {"ignore", 5},  {"yes", kIdYes},       {"no", kIdNo},    {"tryagain", 10},
                           {"continue", 11}};

int idOf(std::string_view word) {
  for (const Answer& answer : kAnswers)
    if (equalsNoCase(word, answer.word)) return answer.id;
  return 0;
}

}  // namespace

MessageBoxButtons messageBoxButtons(std::uint32_t style) {
  MessageBoxButtons buttons;
  const ButtonSet* set = &kButtonSets[0];
  for (const ButtonSet& candidate : kButtonSets)
    if (candidate.style == (style & 0xF)) set = &candidate;
  for (const char* word : set->words) {
    buttons.words.push_back(word);
    buttons.answers.push_back(idOf(word));
  }
  std::size_t wanted = (style >> 8) & 0xF;  // MB_DEFBUTTON2 = 0x100 ...
  buttons.defaultIndex = wanted < buttons.words.size() ? wanted : 0;
  return buttons;
}

int answerFor(const MessageBoxButtons& buttons, const std::string& word) {
  for (std::size_t i = 0; i < buttons.words.size(); ++i)
    if (equalsNoCase(trimBlanks(word), buttons.words[i])) return buttons.answers[i];
  return 0;
}

std::string transcriptField(const std::string& label, const std::string& text) {
  std::string entry = label + ": ";
  std::string indent(label.size() + 2, ' ');
  std::size_t start = 0;
  for (bool first = true; start <= text.size(); first = false) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    entry += (first ? "" : indent) + line + "\r\n";
    start = end + 1;
  }
  return entry;
}

std::string messageBoxEntry(const std::string& caption, const std::string& text,
                            const MessageBoxButtons& buttons, int answer) {
  std::string entry = "message box: " + caption + "\r\n" + transcriptField("text", text);
  entry += "buttons: ";
  std::string answerWord;
  for (std::size_t i = 0; i < buttons.words.size(); ++i) {
    entry += (i ? ", " : "") + buttons.words[i];
    if (buttons.answers[i] == answer) answerWord = buttons.words[i];
  }
  entry += "\r\nanswer: " + answerWord + "\r\n\r\n";
  return entry;
}

bool appendTranscript(const std::filesystem::path& folder, const std::string& entry) {
  std::ofstream out(folder / "transcript.txt", std::ios::binary | std::ios::app);
  out.write(entry.data(), static_cast<std::streamsize>(entry.size()));
  out.close();
  return static_cast<bool>(out);
}

}  // namespace tessary
