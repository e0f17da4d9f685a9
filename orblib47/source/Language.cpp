#include "orblib47/source/Language.h"

COrbLanguage OrbLanguage;

e_error_code COrbLanguage::ColdReset() {
    m_Language = American;
    return RET_NO_ERROR;
}
