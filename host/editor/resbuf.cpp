// Result buffers: building filter and value lists, and freeing them.
#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <cwchar>

#include "acutads.h"

namespace {

enum class Kind { kNone, kString, kPoint, kReal, kShort, kLong, kName, kInt64, kInvalid };

// The value kind of a group code or RT type, as the drawing format assigns it.
Kind kindOf(int t) {
    switch (t) {
        case RTSTR: case RTDXF0: return Kind::kString;
        case RTREAL: case RTANG: case RTORINT: return Kind::kReal;
        case RTPOINT: case RT3DPOINT: return Kind::kPoint;
        case RTSHORT: return Kind::kShort;
        case RTLONG: return Kind::kLong;
        case RTENAME: case RTPICKS: return Kind::kName;
        case RTLB: case RTLE: case RTDOTE: case RTNIL: case RTT: case RTVOID: case RTNONE:
            return Kind::kNone;
        default: break;
    }
    if (t == -1 || t == -2) return Kind::kName;
    if (t == -4 || t == -3) return t == -4 ? Kind::kString : Kind::kNone;
    if (t >= 0 && t <= 9) return Kind::kString;
    if (t >= 10 && t <= 17) return Kind::kPoint;
    if (t >= 38 && t <= 59) return Kind::kReal;
    if (t >= 60 && t <= 79) return Kind::kShort;
    if (t >= 90 && t <= 99) return Kind::kLong;
    if (t == 100 || t == 101 || t == 102 || t == 105) return Kind::kString;
    if (t >= 110 && t <= 112) return Kind::kPoint;
    if (t >= 140 && t <= 149) return Kind::kReal;
    if (t >= 160 && t <= 169) return Kind::kInt64;
    if (t >= 170 && t <= 179) return Kind::kShort;
    if (t >= 210 && t <= 219) return Kind::kPoint;
    if (t >= 270 && t <= 289) return Kind::kShort;
    if (t >= 290 && t <= 299) return Kind::kShort;
    if (t >= 300 && t <= 369) return Kind::kString;
    if (t >= 370 && t <= 389) return Kind::kShort;
    if (t >= 390 && t <= 399) return Kind::kString;
    if (t >= 400 && t <= 409) return Kind::kShort;
    if (t >= 410 && t <= 419) return Kind::kString;
    if (t >= 420 && t <= 429) return Kind::kLong;
    if (t >= 430 && t <= 439) return Kind::kString;
    if (t >= 440 && t <= 459) return Kind::kLong;
    if (t >= 460 && t <= 469) return Kind::kReal;
    if (t >= 470 && t <= 481) return Kind::kString;
    if (t == 999) return Kind::kString;
    if (t >= 1000 && t <= 1009) return Kind::kString;
    if (t >= 1010 && t <= 1013) return Kind::kPoint;
    if (t >= 1020 && t <= 1059) return Kind::kReal;
    if (t >= 1060 && t <= 1070) return Kind::kShort;
    if (t == 1071) return Kind::kLong;
    return Kind::kInvalid;
}

ACHAR* copyString(const ACHAR* s) {
    if (!s) s = L"";
    size_t n = std::wcslen(s);
    auto* out = static_cast<ACHAR*>(std::malloc((n + 1) * sizeof(ACHAR)));
    if (out) std::wmemcpy(out, s, n + 1);
    return out;
}

void freeOne(resbuf* rb) {
    if (kindOf(rb->restype) == Kind::kString && rb->resval.rstring) std::free(rb->resval.rstring);
    std::free(rb);
}

}  // namespace

resbuf* acutNewRb(int rtype) {
    auto* rb = static_cast<resbuf*>(std::calloc(1, sizeof(resbuf)));
    if (rb) rb->restype = static_cast<short>(rtype);
    return rb;
}

int acutRelRb(resbuf* rb) {
    while (rb) {
        resbuf* next = rb->rbnext;
        freeOne(rb);
        rb = next;
    }
    return RTNORM;
}

resbuf* acutBuildList(int rtype, ...) {
    va_list args;
    va_start(args, rtype);
    resbuf* head = nullptr;
    resbuf** tail = &head;
    for (int t = rtype; t != 0; t = va_arg(args, int)) {
        Kind kind = kindOf(t);
        // Group code 0 cannot be passed as itself (0 ends the list): RTDXF0 stands for it.
        resbuf* rb = kind == Kind::kInvalid ? nullptr : acutNewRb(t == RTDXF0 ? 0 : t);
        if (!rb) {
            va_end(args);
            acutRelRb(head);
            return nullptr;
        }
        switch (kind) {
            case Kind::kString: rb->resval.rstring = copyString(va_arg(args, const ACHAR*)); break;
            case Kind::kPoint: {
                const ads_real* p = va_arg(args, const ads_real*);
                for (int i = 0; i < 3; ++i) rb->resval.rpoint[i] = p ? p[i] : 0.0;
                break;
            }
            case Kind::kReal: rb->resval.rreal = va_arg(args, double); break;
            case Kind::kShort: rb->resval.rint = static_cast<short>(va_arg(args, int)); break;
            case Kind::kLong: rb->resval.rlong = va_arg(args, int32_t); break;
            case Kind::kInt64: rb->resval.mnInt64 = va_arg(args, int64_t); break;
            case Kind::kName: {
                const intptr_t* n = va_arg(args, const intptr_t*);
                rb->resval.rlname[0] = n ? n[0] : 0;
                rb->resval.rlname[1] = n ? n[1] : 0;
                break;
            }
            case Kind::kNone:
            case Kind::kInvalid: break;
        }
        *tail = rb;
        tail = &rb->rbnext;
    }
    va_end(args);
    return head;
}
