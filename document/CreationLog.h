// The log of the elements created by the running operation of a drawing: they stay tentative
// until committed, and the next add without keep, or Escape, removes them exactly.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "geometry/ElemRef.h"
#include "geometry/PointD.h"
#include "platform/core/Arrays.h"
#include "platform/core/String.h"

class CCurves;
class CGroup;
class CZelkDoc;

class CCreationLog {
public:
    CZelkDoc* m_doc;
    std::int32_t m_logged;
    std::vector<std::unique_ptr<CElemRef>> m_log;
    std::int32_t m_penCount;
    std::int32_t m_fontCount;
    CWordArray m_maps[9];
    std::int32_t m_stepCount;
    std::int32_t m_final;
    std::int32_t m_noDraw;

    CCreationLog(CZelkDoc* doc, int penCount, int fontCount);

    void AddPoint(CPointD point, int markType, std::int16_t& block, std::int16_t& slot, int final,
                  int keep);
    int AddLine(CPointD start, CPointD end, int markType, std::int16_t& block, std::int16_t& slot,
                int final, int keep);
    void AddCircle(CPointD centre, double radius, int markType, std::int16_t& block,
                   std::int16_t& slot, int final, int keep);
    void AddArc(CPointD centre, double radius, double start, double end, int markType,
                std::int16_t& block, std::int16_t& slot, int final, int keep);
    void AddConic(CPointD centre, double radius, double ratio, CPointD angles, double tilt,
                  int markType, std::int16_t& block, std::int16_t& slot, int final, int keep);
    CCurves* AddCurve(int kind, const std::vector<CPointD>& points, int markType,
                      std::int16_t& block, std::int16_t& slot, int final, int keep);
    int AddText(const CString& text, CPointD point, double angle, int alignment,
                std::int16_t& block, std::int16_t& slot, int final, int keep);
    int AddTextFromCommand(CPointD point, std::int16_t& block, std::int16_t& slot, int final,
                           int keep);
    int AddMarkupTextGroup(const CString& text, double angle, CPointD point, std::int16_t& block,
                           std::int16_t& slot);
    bool AddMarkupText(const CString& text, CPointD point, double angle, std::int16_t& block,
                       std::int16_t& slot, int final, int keep);
    // None, with nothing added, when the drawing holds as many groups as numbers can name.
    CGroup* AddGroup(int markType, std::int16_t& group, int final, int keep);
    int AddTextLines(const CStringArray& lines, CPointD start, CPointD step, double angle,
                     double factor, int markType, int final);

    int AddLinearDimension(int markType, int final);
    int AddChamferDimension(CPointD p1, CPointD p2, const CString& text, double angle,
                            int markType, int final);
    int AddDiameterOrRadiusDimension(CPointD p1, CPointD p2, const CString& text,
                                     CPointD textPoint, double textAngle, int markType, int final,
                                     int bothEnds);
    int AddAngularDimension(CPointD centre, double radius, double start, double end,
                            const CString& text, CPointD textPoint, CPointD measured1,
                            CPointD measured2, CPointD e1, CPointD e2, double textAngle,
                            int markType, int final);
    int AddLeader(const std::vector<CPointD>& vertices, const CString& text, CPointD textPoint,
                  double textAngle, int markType, int final);
    int AddBalloon(const std::vector<CPointD>& vertices, double size, const CString& text,
                   int markType, int final);

    void Commit(int clearHighlight);
    void Snapshot();
    int Rollback();
    int EraseLogged();
    void RedrawLogged();

private:
    // The rollback rule every add starts with; keep joins the new element to the logged ones.
    void BeginAdd(int keep);
    void Log(int kind, int block, int slot, int mark);
    void AfterAdd(int final);
    void MarkModified();
    // The undo history's current step when the snapshot was taken, so that steps undone before
    // the operation stay undone after its rollback.
    std::int32_t m_currentStep = -1;
    // Ends a dimension add: marks, logs and draws the group, then the common tail.
    int FinishDimension(int group, int markType, int final);
};

// The draw mode of a mark type: 2 shows selected, 4 the second highlight, else the own pen.
int DrawModeOfMark(int markType);
