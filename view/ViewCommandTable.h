// The command table of the drawing view: for each command its help page, the code it hands to
// the command dispatcher or its own action, and the rule of its menu item.
#pragma once

#include "platform/core/WinTypes.h"

struct CViewCommand {
    enum class Act {
        Dispatch, Point, Line, Circle, Arc, Text, Dimension, Curve, Loop, Group, Escape, Font,
        AddOpen, BasePoint, PointConstraint, HorizontalConstraint, VerticalConstraint,
        ReleaseConstraint, MacroOpen, MacroRun, UserApp, SelectAll, MultiText, PastedImages
    };
    // None: no update handler. Always: one that changes nothing (the item stays enabled).
    enum class Upd {
        None, Always, Undo, Redo, InterruptMode, SpecialMode, CommandKind, ConstraintMode,
        ShowAllLayers, SingleLayer, BoxSelection, Horizontal, Vertical, PointConstrained,
        UserApps, MultiText, PastedImages
    };
    UINT id;
    const char* title;
    const char* helpPage;
    int code;          // the dispatcher's code (the menu form of a starter's)
    Act action;
    Upd update;
    int value1;        // the values the rule compares with
    int value2;
};

// The entry of a command id; none when the table has no such command.
const CViewCommand* FindViewCommand(UINT id);
const CViewCommand* ViewCommandsBegin();
const CViewCommand* ViewCommandsEnd();

// Map entries of a table command, with and without its update handler, and of a mode item.
#define ON_VIEW_COMMAND(id) ON_COMMAND_RANGE(id, id, OnTableCommand)
#define ON_VIEW_COMMAND_UI(id) ON_UPDATE_COMMAND_UI_RANGE(id, id, OnUpdateTableCommand)
#define ON_SUB_MODE(id) \
    ON_COMMAND_RANGE(id, id, OnSubModeCommand) ON_UPDATE_COMMAND_UI_RANGE(id, id, OnUpdateSubModeCommand)
