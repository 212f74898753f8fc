// The application's attribute routines: line types and widths typed or picked, the line-type
// button and the color combo box following the creation pen, the question after printing
// slanted texts, and the hidden-layer test of the pick list.
#include "app/ZelkApp.h"

#include "view/ZelkView.h"

BOOL CZelkApp::IsLayerHiddenInActiveView(WORD layer) const
{
    const CZelkView* view = m_activeView;
    return view && layer < view->m_layerStates.GetSize() && view->m_layerStates[layer] == 1;
}
