// Acad::ErrorStatus: the result of every host operation; nothing throws across the host API.
#pragma once

// Every status once, in the order that gives its value (eOk = 0). The enum and the texts of
// acadErrorStatusText are both made from this one list, so a new status cannot go without its
// text; add new ones at the end so that the values of the others stay.
#define VX_ACAD_ERROR_STATUSES(X) \
    X(eOk)                         \
    X(eNotImplementedYet)          \
    X(eNotApplicable)              \
    X(eInvalidInput)               \
    X(eAmbiguousInput)             \
    X(eAmbiguousOutput)            \
    X(eOutOfMemory)                \
    X(eBufferTooSmall)             \
    X(eInvalidOpenState)           \
    X(eEntityInInactiveLayout)     \
    X(eHandleExists)               \
    X(eNullHandle)                 \
    X(eBrokenHandle)               \
    X(eUnknownHandle)              \
    X(eHandleInUse)                \
    X(eNullObjectPointer)          \
    X(eNullObjectId)               \
    X(eNullBlockName)              \
    X(eContainerNotEmpty)          \
    X(eNullEntityPointer)          \
    X(eIllegalEntityType)          \
    X(eKeyNotFound)                \
    X(eDuplicateKey)               \
    X(eInvalidIndex)               \
    X(eDuplicateIndex)             \
    X(eAlreadyInDb)                \
    X(eOutOfDisk)                  \
    X(eDeletedEntry)               \
    X(eNegativeValueNotAllowed)    \
    X(eInvalidExtents)             \
    X(eInvalidAdsName)             \
    X(eInvalidSymbolTableName)     \
    X(eInvalidKey)                 \
    X(eWrongObjectType)            \
    X(eWrongDatabase)              \
    X(eObjectToBeDeleted)          \
    X(eInvalidDwgVersion)          \
    X(eAnonymousEntry)             \
    X(eIllegalReplacement)         \
    X(eEndOfObject)                \
    X(eEndOfFile)                  \
    X(eIsReading)                  \
    X(eIsWriting)                  \
    X(eNotOpenForRead)             \
    X(eNotOpenForWrite)            \
    X(eNotThatKindOfClass)         \
    X(eInvalidBlockName)           \
    X(eMissingDxfField)            \
    X(eDuplicateDxfField)          \
    X(eInvalidDxfCode)             \
    X(eInvalidResBuf)              \
    X(eBadDxfSequence)             \
    X(eFilerError)                 \
    X(eVertexAfterFace)            \
    X(eInvalidFaceVertexIndex)     \
    X(eInvalidMeshVertexIndex)     \
    X(eOtherObjectsBusy)           \
    X(eMustFirstAddBlockToDb)      \
    X(eCannotNestBlockDefs)        \
    X(eDwgRecoveredOK)             \
    X(eDwgNotRecoverable)          \
    X(eDxfPartiallyRead)           \
    X(eDxfReadAborted)             \
    X(eDxbPartiallyRead)           \
    X(eDwgCRCDoesNotMatch)         \
    X(eDwgSentinelDoesNotMatch)    \
    X(eDwgObjectImproperlyRead)    \
    X(eNoInputFiler)               \
    X(eDwgNeedsAFullSave)          \
    X(eFileAccessErr)              \
    X(eFileNotFound)               \
    X(eFileSharingViolation)       \
    X(eFileExists)                 \
    X(eFileLockedByACAD)           \
    X(eNotAnEntity)                \
    X(eWasErased)                  \
    X(ePermanentlyErased)          \
    X(eWasOpenForRead)             \
    X(eWasOpenForWrite)            \
    X(eWasOpenForUndo)             \
    X(eWasNotifying)               \
    X(eWasOpenForNotify)           \
    X(eOnLockedLayer)              \
    X(eMustOpenThruOwner)          \
    X(eSubentitiesStillOpen)       \
    X(eAtMaxReaders)               \
    X(eIsWriteProtected)           \
    X(eIsXRefObject)               \
    X(eNotAllowedForThisProxy)     \
    X(eWasNotErased)               \
    X(eNotInDatabase)              \
    X(eNoDatabase)                 \
    X(eNotInBlock)                 \
    X(eLockViolation)              \
    X(eLockChangeInProgress)       \
    X(eVetoed)                     \
    X(eNoDocument)                 \
    X(eNotFromThisDocument)        \
    X(eLISPActive)                 \
    X(eTargetDocNotQuiescent)      \
    X(eDocumentSwitchDisabled)     \
    X(eInvalidContext)             \
    X(eCreateFailed)               \
    X(eCreateInvalidName)          \
    X(eSetFailed)                  \
    X(eDelUnknown)                 \
    X(eDelIsModelSpace)            \
    X(eDelLastLayout)              \
    X(eDelUnableToSetCurrent)      \
    X(eDelUnableToFind)            \
    X(eRenameUnknown)              \
    X(eRenameIsModelSpace)         \
    X(eRenameInvalidLayoutName)    \
    X(eRenameLayoutAlreadyExists)  \
    X(eRenameInvalidName)          \
    X(eCopyDoesNotExist)           \
    X(eCopyIsModelSpace)           \
    X(eCopyFailed)                 \
    X(eCopyInvalidName)            \
    X(eCopyNameExists)             \
    X(eInvalidPlotInfo)            \
    X(eInvalidPlotArea)            \
    X(eInvalidPlotSettings)        \
    X(eDeviceNotFound)             \
    X(eNotCurrentDatabase)         \
    X(eGeneralModelingFailure)     \
    X(eUserBreak)                  \
    X(eNotImplemented)             \
    X(eUnsupportedFileFormat)

namespace Acad {
enum ErrorStatus {
#define VX_ACAD_STATUS_ENUMERATOR(name) name,
    VX_ACAD_ERROR_STATUSES(VX_ACAD_STATUS_ENUMERATOR)
#undef VX_ACAD_STATUS_ENUMERATOR
};
}  // namespace Acad

// A readable name for a status, for messages on the command line ("eFileNotFound").
const wchar_t* acadErrorStatusText(Acad::ErrorStatus es);
