#include "ErrorReport.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "SuiteTable.h"
#include "TextConversion.h"

namespace {

// The value a code entry of the error list stands for. A number entry matches by its
// low 16 bits widened with sign; any other entry is four characters, first one in the
// most significant byte. False when a number entry cannot be parsed.
bool ErrorEntryValue(char* entry, HostErr* value) {
  bool isNumber = entry[0] == '-' || (entry[0] >= '0' && entry[0] <= '9');
  CStringToPString(entry);
  const unsigned char* text = reinterpret_cast<const unsigned char*>(entry);
  if (!isNumber) {
    *value = HOST_FOUR_CHAR(text[1], text[2], text[3], text[4]);
    return true;
  }
  HostReal real = 0;
  if (sUser == nullptr || sUser->ParseReal(text, &real) != kHostNoErr) return false;
  double whole = std::trunc(static_cast<double>(real));
  // Keep the low 16 bits; a value outside the 32-bit range has none that mean anything.
  if (!(whole > -2147483648.0 && whole < 2147483648.0)) return false;
  *value = static_cast<int16_t>(static_cast<uint16_t>(static_cast<int32_t>(whole) & 0xFFFF));
  return true;
}

// The code line: a decimal number for codes from -65536 to 65535, else four characters.
void WriteCodeText(HostErr code, char* text, size_t size) {
  uint32_t upper = static_cast<uint32_t>(code) >> 16;
  if (upper == 0 || upper == 0xFFFF) {
    unsigned char formatted[256] = {};
    if (sUser != nullptr &&
        sUser->FormatReal(static_cast<HostReal>(code), 0, formatted) == kHostNoErr) {
      PStringToCString(formatted);
      // Cut to the code buffer: a host may format more digits than a code has.
      size_t length = std::min(std::strlen(reinterpret_cast<const char*>(formatted)), size - 1);
      std::memcpy(text, formatted, length);
      text[length] = 0;
    } else {
      std::snprintf(text, size, "%d", static_cast<int>(code));
    }
    return;
  }
  uint32_t bits = static_cast<uint32_t>(code);
  std::snprintf(text, size, "%c%c%c%c", static_cast<char>(bits >> 24),
                static_cast<char>(bits >> 16), static_cast<char>(bits >> 8),
                static_cast<char>(bits));
}

}  // namespace

void ReportError(PluginMessage* message, HostErr code) {
  if (code == kHostNoErr || code == kHostCancelErr) return;
  // Without the item suite the dialog could not show the sentence or the code.
  if (sDlgBasic == nullptr || sDialog == nullptr || sItem == nullptr) return;

  char entry[256] = {};
  int16_t index = 1;
  bool found = false;
  sDlgBasic->GetIndexString(message->plugin, kErrorStringList, index, entry, 255);
  while (entry[0] != 0) {
    HostErr value = 0;
    if (ErrorEntryValue(entry, &value) && value == code) {
      found = true;
      break;
    }
    index = static_cast<int16_t>(index + 2);
    std::memset(entry, 0, sizeof entry);
    sDlgBasic->GetIndexString(message->plugin, kErrorStringList, index, entry, 255);
  }

  ErrorText errorText = {};
  int16_t messageIndex = static_cast<int16_t>(found ? index + 1 : index - 1);
  if (sDlgBasic->GetIndexString(message->plugin, kErrorStringList, messageIndex, errorText.message,
                                sizeof errorText.message) != kHostNoErr) {
    return;
  }
  WriteCodeText(code, errorText.code, sizeof errorText.code);
  ShowErrorDialog(message, &errorText);
}

HostErr ShowErrorDialog(PluginMessage* message, ErrorText* errorText) {
  if (sDialog != nullptr) {
    sDialog->Modal(message->plugin, "Error Dialog", kErrorDialogId, 0, InitErrorDialog, errorText);
  }
  return kHostNoErr;
}

HostErr HOSTAPI InitErrorDialog(DlgDialogRef dialog) {
  if (sItem == nullptr) return kHostNoErr;
  if (DlgItemRef ok = sDialog->GetItem(dialog, 1)) sItem->SetNotifyProc(ok, OkButtonNotify);
  const ErrorText* errorText = static_cast<const ErrorText*>(sDialog->GetUserData(dialog));
  if (errorText == nullptr) return kHostNoErr;
  if (DlgItemRef text = sDialog->GetItem(dialog, 2)) sItem->SetText(text, errorText->message);
  if (DlgItemRef text = sDialog->GetItem(dialog, 3)) sItem->SetText(text, errorText->code);
  return kHostNoErr;
}

void HOSTAPI OkButtonNotify(DlgItemRef item, DlgNotifierRef notifier) {
  if (sItem != nullptr) sItem->DefaultNotify(item, notifier);
}
