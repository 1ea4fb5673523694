#include "TextConversion.h"

#include <cstring>

void CStringToPString(char* text) {
  size_t length = std::strlen(text);
  if (length > 255) return;
  std::memmove(text + 1, text, length);
  text[0] = static_cast<char>(static_cast<unsigned char>(length));
}

void PStringToCString(unsigned char* text) {
  size_t length = text[0];
  std::memmove(text, text + 1, length);
  text[length] = 0;
}
