// Services of the host application that the database side asks for: the working database,
// the host's product key in the per-user profile and the plot settings validator.
#pragma once

#include "acadstrc.h"
#include "actext.h"

class AcDbDatabase;
class AcApLayoutManager;
class AcDbPlotSettingsValidator;

class AcDbHostApplicationServices {
public:
    virtual ~AcDbHostApplicationServices() = default;
    // The current drawing's database unless a caller set another one for a while.
    virtual AcDbDatabase* workingDatabase() const = 0;
    virtual void setWorkingDatabase(AcDbDatabase* db) = 0;
    // The product root key of the per-user profile ("Software\Vorlix\vxhost\R18.0").
    virtual const ACHAR* getRegistryProductRootKey() = 0;
    virtual const ACHAR* product() = 0;
    virtual const ACHAR* program() = 0;
    // The editor's layout manager (see aclayout.h).
    virtual AcApLayoutManager* layoutManager() const = 0;
    // The host's plot settings validator (dbplotsetval.h); lives as long as the process.
    virtual AcDbPlotSettingsValidator* plotSettingsValidator() const;
};

AcDbHostApplicationServices* acdbHostApplicationServices();
