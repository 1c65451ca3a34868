#include "menus/text_box.h"

std::string CreditsText;

void DrawTextBox(int, int, int, int, int, int, const std::string&) {}
void DrawMessage() {}
std::string FormatTime(int64_t) { return std::string(); }
