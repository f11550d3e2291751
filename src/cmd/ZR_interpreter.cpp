#include "cmd/ZR_interpreter.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <string>

#include "cmd/ZR_Object.h"
#include "cmd/ZR_interpreter_registry.h"
#include "cmd/ZR_scan.h"

const char* ZR_specialobject = nullptr;

namespace {

bool endsWord(char c) { return c == ' ' || c == 0; }

int wordEnd(const char* text, int i) {
  while (!endsWord(text[i])) ++i;
  return i;
}

// Results of a text-mode command, kept within the caller's capacity (and a terminating zero).
class TextResult {
 public:
  TextResult(char* out, int capacity) : out_(out), capacity_(capacity) {
    if (out_ && capacity_ > 0) std::memset(out_, 0, static_cast<size_t>(capacity_));
  }

  /// Appends one result, separated by a space from the one before; false when it does not fit.
  bool append(const char* bytes, int count) {
    int separator = used_ > 0 ? 1 : 0;
    if (!out_ || used_ + separator + count + 1 > capacity_) return false;
    if (separator) out_[used_++] = ' ';
    std::memcpy(out_ + used_, bytes, static_cast<size_t>(count));
    used_ += count;
    return true;
  }

  bool appendObject(const void* object) {
    char word[2 + 2 * sizeof(void*) + 1];
    int n = std::snprintf(word, sizeof word, "0x%" PRIXPTR, reinterpret_cast<uintptr_t>(object));
    return append(word, n);
  }

  /// Appends a query result in the form its kind prints in; other kinds append nothing.
  bool appendValue(const ZR_value& v) {
    char word[64];
    switch (v.kind) {
      case ZR_KIND_INTEGER:
        return append(word, std::snprintf(word, sizeof word, "%d", v.value.i));
      case ZR_KIND_REAL: {
        std::string real(static_cast<size_t>(std::snprintf(nullptr, 0, "%f", v.value.f)) + 1, '\0');
        std::snprintf(real.data(), real.size(), "%f", v.value.f);
        return append(real.data(), static_cast<int>(real.size() - 1));
      }
      case ZR_KIND_TEXT:
        return append(v.value.s ? v.value.s : "", v.value.s ? static_cast<int>(std::strlen(v.value.s)) : 0);
      case ZR_KIND_OBJECT:
        if (v.length < 0) return appendObject(v.value.p);
        return append(static_cast<const char*>(v.value.p), v.length);
      default:
        return true;
    }
  }

  int used() const { return used_; }

 private:
  char* out_;
  int capacity_;
  int used_ = 0;
};

// Stores a query result through the caller's next pointer argument, in the payload's own type.
void storeResult(va_list* arguments, const ZR_value& result) {
  switch (result.kind) {
    case ZR_KIND_INTEGER:
    case ZR_KIND_ONOFF:
      *va_arg(*arguments, int32_t*) = result.value.i;
      break;
    case ZR_KIND_REAL:
      *va_arg(*arguments, float*) = result.value.f;
      break;
    default:
      *va_arg(*arguments, void**) = result.value.p;
      break;
  }
}

ZR_handler findHandler(const ZR_Option* table, const char* name) {
  while (table) {
    const ZR_Option* row = table + 1;
    for (; row->name; ++row)
      if (ZR_word_equal(row->name, name)) return row->handler;
    table = row->next;
  }
  return nullptr;
}

const ZR_Class* findClass(const ZR_Class* registry, const char* head) {
  for (const ZR_Class* entry = registry; entry->name; ++entry)
    if (ZR_word_equal(entry->name, head)) return entry;
  return nullptr;
}

// One run of one command over a writable text; objects it creates remember creationText.
class Command {
 public:
  Command(const ZR_Class* registry, int flags, char* text, const char* creationText, char* out, int* capacity,
          va_list* arguments)
      : registry_(registry),
        textMode_((flags & ZR_COMMAND_TEXT) != 0),
        pointerMode_((flags & ZR_COMMAND_POINTER) != 0),
        text_(text),
        creationText_(creationText),
        capacity_(capacity),
        result_(textMode_ ? out : nullptr, textMode_ && capacity ? *capacity : 0),
        arguments_(arguments) {}

  ZR_error run() {
    int headEnd = wordEnd(text_, 0);
    exhausted_ = text_[headEnd] == 0;
    position_ = exhausted_ ? headEnd : headEnd + 1;
    if (text_[0] == '%') {
      // Only an object can stand for the class: any other placeholder would make a number or a
      // text the object to act on.
      if (text_[1] != 'o' || !endsWord(text_[2]))
        return notFound("command '%s' does not begin with an object");
      position_ = 0;  // the object placeholder is read again as the first value
      exhausted_ = false;
    } else {
      const ZR_Class* named = findClass(registry_, text_);
      if (!named) return notFound("command '%s' not found");
      class_ = named;
      table_ = named->options;
    }

    const char* pendingName = "";
    for (;;) {
      ZR_value candidate = readCandidate();
      if (*pendingName == 0 || endsWord(*pendingName)) {
        ZR_error created = createOrSelect(candidate);
        if (created != ZR_OK) return created;
      } else {
        ZR_error applied = applyOption(pendingName, candidate);
        if (applied != ZR_OK) return applied;
      }
      if (textMode_ && overflow_) return ZR_ERROR_COMMAND_NOT_SPACE;
      if (exhausted_) {
        if (textMode_ && capacity_) *capacity_ = result_.used();
        return ZR_OK;
      }
      if (candidate.kind >= ZR_KIND_INTEGER) {
        int start = position_;
        ZR_scan(text_, &position_);
        pendingName = optionName(text_ + start);
        exhausted_ = text_[position_] == 0;
        if (!exhausted_) ++position_;
      } else {
        pendingName = optionName(candidateWord_);
      }
    }
  }

 private:
  static const char* optionName(const char* word) { return word[0] == '-' ? word + 1 : word; }

  ZR_error notFound(const char* format) {
    std::printf("zrcl: ");
    std::printf(format, text_);
    std::printf("\n");
    return ZR_ERROR_COMMAND_NOT_FOUND;
  }

  // Reads the next value word (a placeholder or a scanned word) and notes where it was cut.
  ZR_value readCandidate() {
    if (exhausted_ || text_[position_] == 0) {
      exhausted_ = true;
      handedOver_ = false;
      candidateWord_ = "";
      cut_ = -1;
      return ZR_value();
    }
    int start = position_;
    candidateWord_ = text_ + start;
    ZR_value candidate;
    handedOver_ = text_[start] == '%' && text_[start + 1] == 'o';
    if (text_[start] == '%') {
      candidate = placeholder(text_[start + 1]);
      position_ = text_[start + 1] == 0 ? start + 1 : wordEnd(text_, start + 2);
    } else {
      candidate = ZR_scan(text_, &position_);
      if (candidate.kind == ZR_KIND_TEXT && text_[start] == '-') candidate.kind = ZR_KIND_NONE;
    }
    cut_ = position_;
    // An option word that ends the command still has its own query to run: the end of the text is
    // reached on the next read, not here.
    bool optionWord = candidate.kind == ZR_KIND_NONE;
    exhausted_ = text_[position_] == 0 && !optionWord;
    if (text_[position_] != 0) ++position_;
    return candidate;
  }

  ZR_value placeholder(char type) {
    switch (type) {
      case 'f':
        return ZR_value::real(static_cast<float>(va_arg(*arguments_, double)));
      case 'i':
        return ZR_value::integer(va_arg(*arguments_, int));
      case 'o':
        return ZR_value::object(va_arg(*arguments_, void*));
      case 's':
        return ZR_value::text(va_arg(*arguments_, const char*));
      default: {
        ZR_value absent;
        absent.kind = ZR_KIND_ABSENT;
        return absent;
      }
    }
  }

  ZR_error createOrSelect(const ZR_value& candidate) {
    if (candidate.kind == ZR_KIND_INTEGER || candidate.kind == ZR_KIND_REAL ||
        candidate.kind == ZR_KIND_OBJECT) {
      // A number read from the text can name anything; only an object that exists is acted on. An
      // object handed over as "%o" is the caller's to vouch for, and asking the census would take
      // its lock on every parameter change.
      if (candidate.value.p && !handedOver_ && !ZR_Object::exists(candidate.value.p))
        return notFound("command '%s' names no object");
      object_ = static_cast<ZR_Object*>(candidate.value.p);
      // With no class named, the object's own table serves; a null object has only the base table.
      if (!class_) table_ = object_ ? object_->options : ZR_Object::table;
      return ZR_OK;
    }
    // Only a named class with a constructor can create: an object placeholder or a base-class name
    // that serves to pick an option table creates nothing.
    // "%o -" reaches here with no class: an empty option word asks to create again.
    if (!class_) return notFound("command '%s' names no class to create");
    if (!class_->options || !class_->options[0].constructor)
      return notFound("command '%s' cannot create an object");
    ZR_specialobject = candidate.kind == ZR_KIND_TEXT ? candidate.value.s : nullptr;
    ZR_Object* created = class_->options[0].constructor();
    if (!created) return notFound("command '%s' created no object");
    created->options = class_->options;
    created->creationText = creationText_;
    object_ = created;
    if (textMode_) overflow_ |= !result_.appendObject(created);
    if (pointerMode_ && candidate.kind > ZR_KIND_ABSENT) *va_arg(*arguments_, void**) = created;
    return ZR_OK;
  }

  ZR_error applyOption(const char* name, const ZR_value& candidate) {
    ZR_handler handler = findHandler(table_, name);
    if (!handler) {
      std::printf("zrcl: %s\n", text_);
      std::printf("zrcl: param '%s' not found\n", name);
      return ZR_ERROR_COMMAND_NOT_PARAM;
    }
    // Handlers are never given a null object: a set on it does nothing, a query answers empty.
    if (candidate.kind >= ZR_KIND_INTEGER) {
      if (!object_) return ZR_OK;
      char saved = 0;
      if (cut_ >= 0) {
        saved = text_[cut_];
        text_[cut_] = 0;
      }
      handler(object_, candidate);
      if (cut_ >= 0) text_[cut_] = saved;
      return ZR_OK;
    }
    ZR_value result = object_ ? handler(object_, ZR_EMPTY) : ZR_value();
    if (textMode_) overflow_ |= !result_.appendValue(result);
    if (pointerMode_ && result.kind > ZR_KIND_NONE && candidate.kind > ZR_KIND_ABSENT)
      storeResult(arguments_, result);
    return ZR_OK;
  }

  const ZR_Class* registry_;
  bool textMode_;
  bool pointerMode_;
  char* text_;
  const char* creationText_;
  int* capacity_;
  TextResult result_;
  va_list* arguments_;

  const ZR_Class* class_ = nullptr;
  const ZR_Option* table_ = nullptr;
  ZR_Object* object_ = nullptr;
  int position_ = 0;
  int cut_ = -1;
  bool exhausted_ = false;
  bool overflow_ = false;
  bool handedOver_ = false;  // the candidate came from a "%o" argument, not from the text
  const char* candidateWord_ = "";
};

ZR_error execWith(const ZR_Class* registry, const char* text, va_list* arguments) {
  // A private, writable copy: callers pass literals, and the same text may run on two threads.
  // Ordinary commands fit on the stack, so a parameter change that issues them allocates nothing.
  char local[256];
  const size_t length = std::strlen(text);
  if (length < sizeof local) {
    std::memcpy(local, text, length + 1);
    return Command(registry, ZR_COMMAND_POINTER, local, text, nullptr, nullptr, arguments).run();
  }
  std::string copy(text);
  return Command(registry, ZR_COMMAND_POINTER, copy.data(), text, nullptr, nullptr, arguments).run();
}

}  // namespace

ZR_error ZR_command_in(const ZR_Class* registry, int flags, char* text, char* out, int* capacity,
                       va_list arguments) {
  va_list copy;
  va_copy(copy, arguments);
  ZR_error result = Command(registry, flags, text, text, out, capacity, &copy).run();
  va_end(copy);
  return result;
}

ZR_error ZR_exec_in(const ZR_Class* registry, const char* text, ...) {
  va_list arguments;
  va_start(arguments, text);
  ZR_error result = ZR_vexec_in(registry, text, arguments);
  va_end(arguments);
  return result;
}

ZR_error ZR_vexec_in(const ZR_Class* registry, const char* text, va_list arguments) {
  va_list copy;
  va_copy(copy, arguments);
  ZR_error result = execWith(registry, text, &copy);
  va_end(copy);
  return result;
}
