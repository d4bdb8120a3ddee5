// AcRxObject: the root of every object the host hands out through its registries and databases.
// The run-time class protocol (desc, isA, isKindOf, cast) belongs with the database classes and
// is added beside this base by that part of the host.
#pragma once

class AcRxObject {
public:
    virtual ~AcRxObject() = default;
};
