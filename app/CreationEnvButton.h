// The creation-environment button of the main frame, following the environment in effect:
// current settings, the selected element's or the reference element's.
#pragma once

class CZelkApp;

void ShowCreationEnvButton(CZelkApp& app);
