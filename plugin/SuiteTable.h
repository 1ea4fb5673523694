// The module-wide suite pointers and their acquisition around each outer PluginMain call.
#pragma once

#include "HostSuites.h"

extern const HostBlocksSuite* sBlocks;
extern const HostAccessSuite* sAccess;
extern const HostMemorySuite* sMemory;
extern const HostRealMathSuite* sRealMath;
extern const HostArtSuite* sArt;
extern const HostUserSuite* sUser;
extern const HostDocumentSuite* sDocument;
extern const HostDocumentViewSuite* sDocumentView;
extern const HostUndoSuite* sUndo;
extern const HostMatchingArtSuite* sMatchingArt;
extern const HostPathSuite* sPath;
extern const HostPathStyleSuite* sPathStyle;
extern const HostRandomSuite* sRandom;
extern const HostBlendStyleSuite* sBlendStyle;
extern const HostGradientSuite* sGradient;
extern const HostTransformArtSuite* sTransformArt;
extern const HostMeshSuite* sMesh;
extern const HostMeshVertexSuite* sMeshVertex;
extern const HostMenuSuite* sMenu;
extern const HostFilterSuite* sFilter;
extern const DlgBasicSuite* sDlgBasic;
extern const DlgDialogSuite* sDialog;
extern const DlgItemSuite* sItem;
extern const DlgIconSuite* sIcon;
extern const DlgNotifierSuite* sNotifier;
extern const DlgListSuite* sList;
extern const DlgEntrySuite* sEntry;
extern const DlgTrackerSuite* sTracker;

// Calls of PluginMain currently between acquisition and release.
extern int16_t acquireDepth;

HostErr AcquireAllSuites(const HostBasicSuite* basic);
HostErr ReleaseAllSuites(const HostBasicSuite* basic);
