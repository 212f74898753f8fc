// The box of the text a text command is placing, read as six numbers (three corners), and the
// box its string takes with the text settings as they stand: a box that equals the latter was
// measured after the settings last changed.
#pragma once

#include "commands/annotate/TextCommand.h"

#include <vector>

inline std::vector<double> TextBoxOf(const CTextCommand& command)
{
    const CPointD* c = command.m_box;
    return { c[0].m_x, c[0].m_y, c[1].m_x, c[1].m_y, c[2].m_x, c[2].m_y };
}

inline std::vector<double> TextBoxNow(const CTextCommand& command)
{
    CPointD corners[4];
    ComputeBoxOfString(command.m_string, corners);
    return { corners[0].m_x, corners[0].m_y, corners[1].m_x, corners[1].m_y, corners[2].m_x, corners[2].m_y };
}

inline bool TextBoxMeasured(const CTextCommand& command)
{
    return TextBoxOf(command) == TextBoxNow(command);
}

// A box no measurement gives, so that a test sees whether one was made.
inline void SpoilTextBox(CTextCommand& command)
{
    for (CPointD& c : command.m_box)
        c.Init(-999, -999);
}
