#include "cmd/ZR_Object.h"

ZR_value ZR_Object::m_delete(ZR_Object* object, ZR_value) {
  delete object;
  return ZR_value();
}

const ZR_Option ZR_Object::table[] = {
    ZR_OPTION_CONSTRUCTOR(nullptr),
    ZR_OPTION("delete", m_delete),
    ZR_OPTION_NEXT(nullptr),
};
