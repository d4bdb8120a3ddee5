// AcRxObject: the root of every object the host hands out through its registries and databases,
// with the run-time class protocol (desc, isA, isKindOf, cast) that the database classes use.
#pragma once

#include "acadstrc.h"
#include "actext.h"

// One run-time class: its name, the DXF record name of its objects, and its parent.
class AcRxClass {
public:
    AcRxClass(const ACHAR* name, const ACHAR* dxfName, const AcRxClass* parent)
        : m_name(name), m_dxfName(dxfName), m_parent(parent) {}
    AcRxClass(const AcRxClass&) = delete;
    AcRxClass& operator=(const AcRxClass&) = delete;

    const ACHAR* name() const { return m_name; }
    const ACHAR* dxfName() const { return m_dxfName; }
    AcRxClass* myParent() const { return const_cast<AcRxClass*>(m_parent); }
    bool isDerivedFrom(const AcRxClass* other) const {
        for (const AcRxClass* c = this; c; c = c->m_parent)
            if (c == other) return true;
        return false;
    }

private:
    const ACHAR* m_name;
    const ACHAR* m_dxfName;
    const AcRxClass* m_parent;
};

namespace AcRx {
enum Ordering { kLessThan = -1, kEqual = 0, kGreaterThan = 1, kNotOrderable = 2 };
}

class AcRxObject {
public:
    virtual ~AcRxObject() = default;

    static AcRxClass* desc();
    virtual AcRxClass* isA() const { return desc(); }
    bool isKindOf(const AcRxClass* c) const { return isA()->isDerivedFrom(c); }
    static AcRxObject* cast(const AcRxObject* o) { return const_cast<AcRxObject*>(o); }

    virtual AcRxObject* clone() const { return nullptr; }
    virtual Acad::ErrorStatus copyFrom(const AcRxObject*) { return Acad::eNotApplicable; }
    virtual bool isEqualTo(const AcRxObject* other) const { return other == this; }
    virtual AcRx::Ordering comparedTo(const AcRxObject*) const { return AcRx::kNotOrderable; }
};

// In a class body: desc(), isA() and cast() of that class. The host defines desc() and isA().
#define ACRX_DECLARE_MEMBERS(CLASS_NAME)                                                      \
    static AcRxClass* desc();                                                                 \
    AcRxClass* isA() const override;                                                          \
    static CLASS_NAME* cast(const AcRxObject* o) {                                            \
        return o && o->isKindOf(CLASS_NAME::desc()) ? static_cast<CLASS_NAME*>(const_cast<AcRxObject*>(o)) \
                                                    : nullptr;                                 \
    }
