// The macro interpreter: runs macro texts and evaluates typed expressions.
#pragma once

class CMacroInterpreter {
public:
    void PlayCommandQueue() {}
};
