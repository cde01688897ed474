#pragma once
// The state every window shares: which file, saved or not, which record, the depositor
// defaults, the totals, and the record lists.
#include "records/apppaths.h"
#include "records/fileio.h"
#include "records/recordline.h"
#include "records/recordstore.h"
#include "records/tables.h"

namespace vorlane {

struct SessionState {
    QString CurrentFilePath = QStringLiteral("Noname.txt");  // contains "Noname.txt" while unnamed
    QString SaveTargetPath;
    bool IsSaved = false;
    bool IsAdding = false;
    bool ChooserMode = false;
    bool IsInserting = false;
    int CurrentIndex = 0;
    int ResumeIndex = 0;
    QString EntryBaseCaption;
    QString DefaultDepositorName;
    QString DefaultDepositorAddress;
    double TotalAmount = 0;
    double TotalFee = 0;
    float PrintLineY = 0;
    RecordFieldSlots RecordFields;
    // The file the batch was last read from or saved to, as it was then: a save over it
    // first checks that no other program has changed it and that no skipped lines are lost.
    QString KnownFilePath;
    FileStamp KnownFileStamp;
    qsizetype KnownFileSkipped = 0;  // lines with text that were not records

    // Case-sensitive, anywhere in the path.
    bool isUnnamed() const { return CurrentFilePath.contains(QStringLiteral("Noname.txt")); }
};

struct ReferenceTables {
    RateTable rates;         // rate.txt
    CodeNameTable types;     // mo.txt: the entry window's type selectors
    CodeNameTable postOffices;  // postcode.txt
    CodeNameTable reportTypes;  // mo1.txt: the print options' type buttons
    QStringList missing;     // file names that could not be read
    QStringList failures;    // FailureLine of each of those, in the same order
    QStringList cut;         // file names that held more than a table may hold
};

ReferenceTables LoadReferenceTables(const AppPaths &paths);

struct Session {
    AppPaths paths;
    SessionState state;
    ReferenceTables tables;
    RecordStore lstMO;   // the batch
    RecordStore lstMO2;  // records selected for printing
    RecordStore LstMO3;  // records held aside during an insertion
};

} // namespace vorlane
