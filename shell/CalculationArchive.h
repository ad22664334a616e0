#pragma once
// The archive types of the calculation record and of the engine's state: the
// second and third top-level items of a saved calculation file ("CCalcRecord",
// "CInnerCalc"), for the check of a file before the library reads it. They
// follow the serialize code in engine/EngineSerialization.cpp item by item.

class ArchiveSchema;
struct ArchiveType;

const ArchiveType* AddCalcRecordArchiveType(ArchiveSchema& schema);
const ArchiveType* AddInnerCalcArchiveType(ArchiveSchema& schema);
