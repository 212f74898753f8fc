// The requests a user application writes into the exchange block, served one slot at a time by
// the main frame's request pass. Everything a plug-in writes is untrusted: every index, count,
// code and table entry is checked, and a request that cannot be served gets its status word.
#pragma once

#include <vector>

class CZelkDoc;
class CZelkView;
class UserAppBlock;

// Status words of a slot.
enum UserAppStatus : short {
    kUserAppDone = 0,
    kUserAppNoDocAtPosition = 10,
    kUserAppNoDocWithId = 11,
    kUserAppNoSuchView = 12,
    kUserAppNoActiveDrawing = 13,
    kUserAppNoPointFound = 14,
    kUserAppNothingPicked = 15,
};

// Runs the request of the slot (its code is not 0).
void ServeUserAppRequest(UserAppBlock& block, int slot);

// The open drawings in the drawing template's order.
std::vector<CZelkDoc*> UserAppDrawings();
// The first open drawing whose document id is the value; none when no drawing has it.
CZelkDoc* FindUserAppDrawing(int id);
// The drawing's first view when its number is the value; no other view is looked at.
CZelkView* FindUserAppView(CZelkDoc* doc, int viewNumber);

// The families; each returns false when the code is not one of its own.
bool ServeDocumentRequest(UserAppBlock& block, int slot, int code);
bool ServeLayerRequest(UserAppBlock& block, int slot, int code);
bool ServeSettingsRequest(UserAppBlock& block, int slot, int code);
bool ServeElementRequest(UserAppBlock& block, int slot, int code);
bool ServePlaceRequest(UserAppBlock& block, int slot, int code);
bool ServePreviewOrFileRequest(UserAppBlock& block, int slot, int code);
bool ServePickRequest(UserAppBlock& block, int slot, int code);

// Places the records of lists 0-11 of the slot into the drawing, with the refs of the new
// elements in list 15; false when any record could not be placed (the others are).
bool PlaceUserAppRecords(UserAppBlock& block, int slot, CZelkDoc& doc);

// Deletes the element (kind 2 to 512 by block and slot, attribute string by index) with undo:
// its state is recorded as a deletion and the step left open. Anything else changes nothing.
void DeleteUserAppElement(CZelkDoc& doc, int kind, int index, int element);
