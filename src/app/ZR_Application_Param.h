#pragma once
#include <cstddef>
#include <cstdint>

#include "cmd/ZR_value.h"

class ZR_Object;

/// A parameter of the application: the variable its widget writes into and the record a host reads
/// and writes through normalised values. Whoever changes it calls changed, which applies the value
/// everywhere it is shown or used. The payload word and the kind are read and written atomically (relaxed)
/// here, since hosts set parameters on one thread and read them on others, their audio thread included.
class ZR_Application_Param : public ZR_value {
 public:
  ZR_Application_Param();

  /// Applies the new value. [any thread, a host's audio thread too] Issues commands to the nodes
  /// and marks the editor dirty; no allocation, no locks, no drawing.
  void changed(void* data) override { apply(data); }
  /// Takes a widget's proposal: the payload word and the kind, atomically. [window thread]
  void receive(const ZR_value& proposal) override;
  /// The name ("%s"), cut to fit size bytes with the terminator.
  virtual void nameText(char* text, size_t size) const;
  /// The value: "%i" for an integer, "%f" for a real, "On" or "Off" for on/off; nothing otherwise.
  virtual void valueText(char* text, size_t size) const;
  /// The label ("%s"): for on/off, the text of the on state.
  virtual void labelText(char* text, size_t size) const;
  /// Pushes the value to the nodes and widgets that use it; data is the application.
  virtual void apply(void* data) { (void)data; }

  /// Sets the value from a host's x in 0..1, by the kind. [any host thread] No allocation.
  void setNormalised(float x);
  /// The value as a host sees it, in 0..1. [any host thread, the audio thread too] No allocation.
  float normalised() const;
  /// What a host displays for the value, by the kind.
  virtual void displayText(char* text, size_t size) const;
  /// The unit a host displays, by the kind: for on/off, both texts joined by a slash.
  void unitText(char* text, size_t size) const;

  /// The payload word and its real reading, atomic (relaxed).
  int32_t word() const;
  void setWord(int32_t word);
  float real() const;
  void setReal(float real);
  /// The kind, atomic (relaxed): a widget may rewrite it while a host reads the parameter.
  int32_t currentKind() const;
  void setKind(int32_t kind);

  /// The text of the off state of an on/off label pair: 10 bytes after the on state's.
  const char* offLabel() const { return label + kOffLabelOffset; }

  static constexpr size_t kOffLabelOffset = 10;
  /// The label pair every record starts with.
  static constexpr char kYesNo[] = "Yes\0\0\0\0\0\0\0No";

  const char* name = "";
  const char* label = kYesNo;
  ZR_Object* widget = nullptr;  // the widget that shows the parameter, or null
  int32_t minimum = 0;          // the range of an integer or real parameter
  int32_t maximum = 0;
};
