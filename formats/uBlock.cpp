// The registered, never created block class.
#include "formats/uBlock.h"

IMPLEMENT_SERIAL(CuBlock, CObject, 0)

CuBlock::CuBlock() = default;

CuBlock::~CuBlock() = default;

void CuBlock::Serialize(CArchive&) {}
