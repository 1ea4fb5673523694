/* The host's dialog manager: modal dialogs from the module's templates, items made
 * in code, popup lists and mouse tracking. */
#ifndef QUIB_HOST_DIALOG_SUITES_H
#define QUIB_HOST_DIALOG_SUITES_H

#include "HostBasic.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct DlgDialogOpaque* DlgDialogRef;
typedef struct DlgItemOpaque* DlgItemRef;
typedef struct DlgListOpaque* DlgListRef;
typedef struct DlgEntryOpaque* DlgEntryRef;
typedef struct DlgNotifierOpaque* DlgNotifierRef;
typedef struct DlgTrackerOpaque* DlgTrackerRef;
typedef struct DlgIconOpaque* DlgIconRef;

/* Called once after the template is loaded; returns 0 to open the dialog. */
typedef HostErr(HOSTAPI* DlgInitProc)(DlgDialogRef dialog);
/* Called when the user (or SendNotify) acts on an item. */
typedef void(HOSTAPI* DlgNotifyProc)(DlgItemRef item, DlgNotifierRef notifier);
/* Called for each mouse event on an item; returns non-zero when handled. */
typedef int32_t(HOSTAPI* DlgTrackProc)(DlgItemRef item, DlgTrackerRef tracker);

/* Item type names understood by CreateItem. */
#define kDlgSpinEditType "ADM Spin Edit Type"
#define kDlgPopupListType "ADM Popup List Type"
#define kDlgTextCheckBoxType "ADM Text Check Box Type"
#define kDlgTextPushButtonType "ADM Text Push Button Type"
#define kDlgPicturePushButtonType "ADM Picture Push Button Type"
#define kDlgTextStaticType "ADM Text Static Type"

#define kDlgUserChangedNotifier "ADM User Changed Notifier"

enum { kDlgFontDefault = 0, kDlgFontBold = 5 };
enum { kDlgUnitsNone = 0 };
/* Modifier flag that the tracker reports while the mouse button is down. */
enum { kDlgModifierButtonDown = 0x20 };

#define kDlgBasicSuiteName "ADM Basic Suite"
#define kDlgBasicSuiteVersion 2
typedef struct DlgBasicSuite {
  /* Entry `index` of string list `listId` as nul-terminated text, cut to `size`;
   * empty past the end of the list. */
  HostErr(HOSTAPI* GetIndexString)(HostPluginRef plugin, int32_t listId, int32_t index,
                                   char* buffer, int32_t size);
  /* A modal alert showing the text. */
  void(HOSTAPI* ErrorAlert)(const char* text);
} DlgBasicSuite;

#define kDlgDialogSuiteName "ADM Dialog Suite"
#define kDlgDialogSuiteVersion 3
typedef struct DlgDialogSuite {
  /* Runs a modal dialog from template `resourceId`; returns the id of the item that
   * closed it. */
  int32_t(HOSTAPI* Modal)(HostPluginRef plugin, const char* name, int32_t resourceId, int32_t style,
                          DlgInitProc init, void* userData);
  void*(HOSTAPI* GetUserData)(DlgDialogRef dialog);
  void(HOSTAPI* SetBoundsRect)(DlgDialogRef dialog, const HostIntRect* bounds);
  void(HOSTAPI* GetBoundsRect)(DlgDialogRef dialog, HostIntRect* bounds);
  void(HOSTAPI* Size)(DlgDialogRef dialog, int32_t width, int32_t height);
  /* The item with that id, null when there is none. */
  DlgItemRef(HOSTAPI* GetItem)(DlgDialogRef dialog, int32_t itemId);
  /* Creates an item of a named type at a rectangle in the dialog's coordinates. */
  DlgItemRef(HOSTAPI* CreateItem)(DlgDialogRef dialog, int32_t itemId, const char* itemType,
                                  const HostIntRect* bounds, DlgInitProc init, void* userData);
} DlgDialogSuite;

#define kDlgItemSuiteName "ADM Item Suite"
#define kDlgItemSuiteVersion 4
typedef struct DlgItemSuite {
  void(HOSTAPI* SetNotifyProc)(DlgItemRef item, DlgNotifyProc proc);
  /* The item's own handling; for an item of a modal dialog it closes the dialog with
   * the item's id (a check box toggles first, a list takes its new entry). */
  void(HOSTAPI* DefaultNotify)(DlgItemRef item, DlgNotifierRef notifier);
  /* Calls the item's notify procedure with a notifier of that type. */
  void(HOSTAPI* SendNotify)(DlgItemRef item, const char* notifierType);
  void(HOSTAPI* SetTrackProc)(DlgItemRef item, DlgTrackProc proc);
  /* The item's own handling of a mouse event; non-zero when handled. */
  int32_t(HOSTAPI* DefaultTrack)(DlgItemRef item, DlgTrackerRef tracker);
  DlgDialogRef(HOSTAPI* GetDialog)(DlgItemRef item);
  /* The list of a popup list item, null for other items. */
  DlgListRef(HOSTAPI* GetList)(DlgItemRef item);
  void(HOSTAPI* Show)(DlgItemRef item, int32_t show);
  void(HOSTAPI* Enable)(DlgItemRef item, int32_t enable);
  void(HOSTAPI* SetFont)(DlgItemRef item, int32_t font);
  void(HOSTAPI* SetText)(DlgItemRef item, const char* text);
  void(HOSTAPI* SetUnits)(DlgItemRef item, int32_t units);
  void(HOSTAPI* SetPrecision)(DlgItemRef item, int32_t decimals);
  void(HOSTAPI* SetBooleanValue)(DlgItemRef item, int32_t value);
  int32_t(HOSTAPI* GetBooleanValue)(DlgItemRef item);
  /* Values set beyond the item's minimum or maximum are limited to them. */
  void(HOSTAPI* SetIntValue)(DlgItemRef item, int32_t value);
  int32_t(HOSTAPI* GetIntValue)(DlgItemRef item);
  void(HOSTAPI* SetFloatValue)(DlgItemRef item, HostReal value);
  HostReal(HOSTAPI* GetFloatValue)(DlgItemRef item);
  void(HOSTAPI* SetMinIntValue)(DlgItemRef item, int32_t value);
  void(HOSTAPI* SetMaxIntValue)(DlgItemRef item, int32_t value);
  void(HOSTAPI* SetMinFloatValue)(DlgItemRef item, HostReal value);
  void(HOSTAPI* SetMaxFloatValue)(DlgItemRef item, HostReal value);
} DlgItemSuite;

#define kDlgListSuiteName "ADM List Suite"
#define kDlgListSuiteVersion 1
typedef struct DlgListSuite {
  /* Inserts a new entry before `index` (at the end when index is the count). */
  DlgEntryRef(HOSTAPI* InsertEntry)(DlgListRef list, int32_t index);
  /* The entry at `index`, null outside the list. */
  DlgEntryRef(HOSTAPI* IndexEntry)(DlgListRef list, int32_t index);
  /* The selected entry, null when none is. */
  DlgEntryRef(HOSTAPI* GetActiveEntry)(DlgListRef list);
} DlgListSuite;

#define kDlgEntrySuiteName "ADM Entry Suite"
#define kDlgEntrySuiteVersion 2
typedef struct DlgEntrySuite {
  void(HOSTAPI* SetID)(DlgEntryRef entry, int32_t id);
  int32_t(HOSTAPI* GetID)(DlgEntryRef entry);
  /* Selecting an entry of a popup list makes it the only active one. */
  void(HOSTAPI* Select)(DlgEntryRef entry, int32_t select);
  void(HOSTAPI* SetText)(DlgEntryRef entry, const char* text);
} DlgEntrySuite;

#define kDlgTrackerSuiteName "ADM Tracker Suite"
#define kDlgTrackerSuiteVersion 1
typedef struct DlgTrackerSuite {
  /* The mouse point of the tracking event in progress, in the item's coordinates; a
   * null tracker means the current one. */
  void(HOSTAPI* GetPoint)(DlgTrackerRef tracker, HostIntPoint* point);
  /* Modifier flags of the event in progress (0x20: mouse button down). */
  uint32_t(HOSTAPI* GetModifiers)(DlgTrackerRef tracker);
} DlgTrackerSuite;

#define kDlgNotifierSuiteName "ADM Notifier Suite"
#define kDlgNotifierSuiteVersion 1
typedef struct DlgNotifierSuite {
  /* Non-zero when the notifier is of the named type. */
  int32_t(HOSTAPI* IsNotifierType)(DlgNotifierRef notifier, const char* type);
} DlgNotifierSuite;

#define kDlgIconSuiteName "ADM Icon Suite"
#define kDlgIconSuiteVersion 1
typedef struct DlgIconSuite {
  /* Width and height of an icon in pixels. */
  void(HOSTAPI* GetSize)(DlgIconRef icon, int32_t* width, int32_t* height);
} DlgIconSuite;

#ifdef __cplusplus
}
#endif

#endif
