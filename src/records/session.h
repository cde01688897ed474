#pragma once
// What every window shares: the batch, the reference tables, the depositor defaults.
#include "records/apppaths.h"
#include "records/batch.h"
#include "records/recordline.h"
#include "records/recordstore.h"
#include "records/tables.h"

namespace vorlane {

struct ReferenceTables {
    RateTable rates;            // rate.txt
    CodeNameTable types;        // mo.txt: the entry window's type selectors
    CodeNameTable postOffices;  // postcode.txt
    CodeNameTable reportTypes;  // mo1.txt: the print options' type buttons
    QStringList missing;        // file names that could not be read
    QStringList failures;       // FailureLine of each of those, in the same order
    QStringList cut;            // file names that held more than a table may hold
    QStringList badRows;        // rows of rate.txt whose figures cannot be read, one Thai line each
};

ReferenceTables LoadReferenceTables(const AppPaths &paths);

struct Session {
    AppPaths paths;
    Batch batch;
    ReferenceTables tables;
    RecordStore lstMO2;        // records selected for printing
    QString EntryBaseCaption;  // first part of the entry window's title
    QString DefaultDepositorName;
    QString DefaultDepositorAddress;
};

}  // namespace vorlane
