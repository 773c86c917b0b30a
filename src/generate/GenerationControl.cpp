#include "generate/GenerationControl.h"

namespace pictaven {

bool GenerationControl::tryBegin()
{
    bool expected = false;
    if (!m_running.compare_exchange_strong(expected, true))
        return false;
    m_cancel.store(false);
    return true;
}

} // namespace pictaven
