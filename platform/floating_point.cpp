#include "platform/floating_point.h"

FloatingPointControl ReadFloatingPointControl() {
    FloatingPointControl control{};
    __asm__ volatile("fnstcw %0" : "=m"(control.x87ControlWord));
    __asm__ volatile("stmxcsr %0" : "=m"(control.sseControl));
    return control;
}

void WriteFloatingPointControl(FloatingPointControl control) {
    __asm__ volatile("fldcw %0" : : "m"(control.x87ControlWord));
    __asm__ volatile("ldmxcsr %0" : : "m"(control.sseControl));
}

void SetFloatingPointControl() {
    // Keep the status flags of MXCSR as they are; set masks and rounding.
    FloatingPointControl control = ReadFloatingPointControl();
    control.x87ControlWord = kExtendedControlWord;
    control.sseControl = kSseControl | (control.sseControl & 0x3Fu);
    WriteFloatingPointControl(control);
}
