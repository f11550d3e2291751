#include "wid/ZR_Wid_Text.h"

const ZR_Option ZR_Wid_Text::table[] = {
    ZR_OPTION_CONSTRUCTOR(create), ZR_OPTION("text", m_text),     ZR_OPTION("color", m_color),
    ZR_OPTION("font", m_font),     ZR_OPTION("size", m_size),     ZR_OPTION("horz", m_horz),
    ZR_OPTION("bold", m_bold),     ZR_OPTION_NEXT(ZR_Wid::table),
};
