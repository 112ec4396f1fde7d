// Message boxes and question dialogs on the simulated computer: answered
// from [ui] answers and written to transcript.txt.
#include "platform/sim/SimPlatform.h"
#include "platform/sim/SimText.h"
#include "platform/sim/SimTranscript.h"

namespace tessary {

bool SimPlatform::nextAnswer(std::string& answer) {
  const std::vector<std::string>& answers = machine_.config().answers;
  if (nextAnswer_ >= answers.size()) {
    answer.clear();
    return false;
  }
  answer = answers[nextAnswer_++];
  return true;
}

std::string SimPlatform::peekAnswer() const {
  const std::vector<std::string>& answers = machine_.config().answers;
  return nextAnswer_ < answers.size() ? answers[nextAnswer_] : std::string();
}

void SimPlatform::transcribe(const std::string& entry) {
  if (!appendTranscript(machine_.folder(), entry)) record("transcript not written");
}

bool SimPlatform::passwordDialog(std::string& password) {
  std::string word;
  bool answered = nextAnswer(word);
  bool ok = !(answered && equalsNoCase(trimBlanks(word), "cancel"));
  password = ok ? word : std::string();
  std::string entry = "dialog: Password\r\n";
  if (ok) entry += transcriptField("password", password);
  entry += std::string("answer: ") + (ok ? "ok" : "cancel") + "\r\n\r\n";
  transcribe(entry);
  record(std::string("password dialog -> ") + (ok ? "ok" : "cancel"));
  return ok;
}

int SimPlatform::confirmFileReplace(const std::string& heading, const std::string& existingDetails,
                                    const std::string& newDetails) {
  struct Button {
    const char* word;
    int answer;
  };
  static const Button kButtons[] = {{"yes", kReplaceYes}, {"all", kReplaceYesToAll}, {"no", kReplaceNo}};
  std::string word;
  const Button* pressed = &kButtons[0];  // the default button
  if (nextAnswer(word))
    for (const Button& button : kButtons)
      if (equalsNoCase(trimBlanks(word), button.word)) pressed = &button;
  transcribe("dialog: Confirm File Replace\r\n" + transcriptField("text", heading) +
             transcriptField("existing", existingDetails) + transcriptField("new", newDetails) +
             "buttons: yes, all, no\r\nanswer: " + pressed->word + "\r\n\r\n");
  record(std::string("replace dialog -> ") + pressed->word);
  return pressed->answer;
}

int SimPlatform::messageBox(const std::string& text, const std::string& caption, std::uint32_t style) {
  MessageBoxButtons buttons = messageBoxButtons(style);
  std::string word;
  int answer = nextAnswer(word) ? answerFor(buttons, word) : 0;
  // An answer the box does not offer, or none left: the default button.
  if (answer == 0) answer = buttons.answers[buttons.defaultIndex];
  bool written = appendTranscript(machine_.folder(), messageBoxEntry(caption, text, buttons, answer));
  std::string answerWord;
  for (std::size_t i = 0; i < buttons.answers.size(); ++i)
    if (buttons.answers[i] == answer) answerWord = buttons.words[i];
  record("message box \"" + caption + "\" -> " + answerWord + (written ? "" : " (transcript not written)"));
  return answer;
}

}  // namespace tessary
