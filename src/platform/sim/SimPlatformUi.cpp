// Message boxes on the simulated computer: answered from [ui] answers and
// written to transcript.txt.
#include "platform/sim/SimPlatform.h"
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
