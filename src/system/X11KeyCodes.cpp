#include "system/X11KeyCodes.h"

#include "system/KeyEvent.h"
#include "system/KeyTables.h"

#include <QHash>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

namespace {

struct Pair {
    quint16 mac;
    unsigned long keysym;
};

// The first row of a code is the keysym it is grabbed by; later rows are further spellings.
const QList<Pair>& pairs() {
    static const QList<Pair> table = {
        {0, XK_a},
        {1, XK_s},
        {2, XK_d},
        {3, XK_f},
        {4, XK_h},
        {5, XK_g},
        {6, XK_z},
        {7, XK_x},
        {8, XK_c},
        {9, XK_v},
        {11, XK_b},
        {12, XK_q},
        {13, XK_w},
        {14, XK_e},
        {15, XK_r},
        {16, XK_y},
        {17, XK_t},
        {18, XK_1},
        {19, XK_2},
        {20, XK_3},
        {21, XK_4},
        {22, XK_6},
        {23, XK_5},
        {24, XK_equal},
        {25, XK_9},
        {26, XK_7},
        {27, XK_minus},
        {28, XK_8},
        {29, XK_0},
        {30, XK_bracketright},
        {31, XK_o},
        {32, XK_u},
        {33, XK_bracketleft},
        {34, XK_i},
        {35, XK_p},
        {36, XK_Return},
        {37, XK_l},
        {38, XK_j},
        {39, XK_apostrophe},
        {40, XK_k},
        {41, XK_semicolon},
        {42, XK_backslash},
        {43, XK_comma},
        {44, XK_slash},
        {45, XK_n},
        {46, XK_m},
        {47, XK_period},
        {48, XK_Tab},
        {49, XK_space},
        {50, XK_grave},
        {51, XK_BackSpace},
        {53, XK_Escape},
        {54, XK_Super_R},
        {55, XK_Super_L},
        {56, XK_Shift_L},
        {57, XK_Caps_Lock},
        {58, XK_Alt_L},
        {59, XK_Control_L},
        {60, XK_Shift_R},
        {61, XK_Alt_R},
        {61, XK_ISO_Level3_Shift},
        {62, XK_Control_R},
        {64, XK_F17},
        {76, XK_KP_Enter},
        {79, XK_F18},
        {80, XK_F19},
        {96, XK_F5},
        {97, XK_F6},
        {98, XK_F7},
        {99, XK_F3},
        {100, XK_F8},
        {101, XK_F9},
        {103, XK_F11},
        {105, XK_F13},
        {106, XK_F16},
        {107, XK_F14},
        {109, XK_F10},
        {111, XK_F12},
        {113, XK_F15},
        {114, XK_Insert},
        {115, XK_Home},
        {116, XK_Prior},
        {117, XK_Delete},
        {118, XK_F4},
        {119, XK_End},
        {120, XK_F2},
        {121, XK_Next},
        {122, XK_F1},
        {123, XK_Left},
        {124, XK_Right},
        {125, XK_Down},
        {126, XK_Up},
    };
    return table;
}

} // namespace

namespace X11KeyCodes {

std::optional<quint16> macKeyCode(unsigned long keysym) {
    static const QHash<unsigned long, quint16> byKeysym = [] {
        QHash<unsigned long, quint16> map;
        for (const Pair& p : pairs())
            map.insert(p.keysym, p.mac);
        return map;
    }();
    KeySym lower = 0, upper = 0;
    XConvertCase(keysym, &lower, &upper);
    if (auto it = byKeysym.find(lower); it != byKeysym.end())
        return *it;
    return std::nullopt;
}

unsigned long keysymFor(quint16 macKeyCode) {
    for (const Pair& p : pairs())
        if (p.mac == macKeyCode)
            return p.keysym;
    return 0;
}

bool isModifier(unsigned long keysym) {
    return IsModifierKey(keysym);
}

QString characters(unsigned long keysym) {
    if ((keysym >= 0x20 && keysym <= 0x7e) || (keysym >= 0xa0 && keysym <= 0xff))
        return QString(QChar(char16_t(keysym)));
    if ((keysym & 0xff000000) == 0x01000000) {
        const char32_t codePoint = char32_t(keysym & 0x00ffffff);
        return QString::fromUcs4(&codePoint, 1);
    }
    const char* name = XKeysymToString(keysym);
    return name ? QString::fromLatin1(name) : QString();
}

quint64 macFlags(unsigned state) {
    quint64 flags = 0;
    if (state & ShiftMask)
        flags |= MacFlags::shift;
    if (state & ControlMask)
        flags |= MacFlags::control;
    if (state & Mod1Mask)
        flags |= MacFlags::option;
    if (state & Mod4Mask)
        flags |= MacFlags::command;
    return flags;
}

unsigned xModifiers(quint32 mods) {
    unsigned state = 0;
    if (mods & CarbonMods::shift)
        state |= ShiftMask;
    if (mods & CarbonMods::control)
        state |= ControlMask;
    if (mods & CarbonMods::option)
        state |= Mod1Mask;
    if (mods & CarbonMods::command)
        state |= Mod4Mask;
    return state;
}

} // namespace X11KeyCodes
