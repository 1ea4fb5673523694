// In-place conversions between nul-terminated and length-prefixed text, the form the
// host's filter registration and number conversions use.
#pragma once

// Moves the characters one byte up and stores the length in the first byte. Text
// longer than 255 characters cannot be length-prefixed and is left unchanged. The
// buffer must hold the text and its terminator.
void CStringToPString(char* text);
// Moves the characters one byte down and stores a terminator after them. The buffer
// must hold the length byte and all its characters.
void PStringToCString(unsigned char* text);
