// transcript.txt of a simulated computer: what its user would have seen.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tessary {

struct MessageBoxButtons {
  std::vector<std::string> words;  // "ok", "cancel", ... in the box's order
  std::vector<int> answers;  // the IDOK... value of each
  std::size_t defaultIndex = 0;
};

// The buttons a MessageBox style shows and the one it has as default.
MessageBoxButtons messageBoxButtons(std::uint32_t style);

// The answer an [ui] answers word gives among `buttons`; 0 when it is none
// of them.
int answerFor(const MessageBoxButtons& buttons, const std::string& word);

// "message box: CAPTION\r\ntext: ...\r\nbuttons: ...\r\nanswer: ...\r\n\r\n";
// the lines of a text after the first are indented under it.
std::string messageBoxEntry(const std::string& caption, const std::string& text,
                            const MessageBoxButtons& buttons, int answer);

// "LABEL: text\r\n", the lines of the text after the first indented under
// it.
std::string transcriptField(const std::string& label, const std::string& text);

// Appends to <folder>/transcript.txt; false when it cannot be written.
bool appendTranscript(const std::filesystem::path& folder, const std::string& entry);

}  // namespace tessary
