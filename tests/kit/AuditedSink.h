#pragma once
#include "table/NetLink.h"

#include <string>

class CMj;

// Hands the server's records and the connection's end to the game object and checks the table's
// bounds after each (TableAudit::Bounds); the first broken bound is kept, with when it broke.
class AuditedSink : public RecordSink {
public:
    explicit AuditedSink(CMj *g = nullptr) : game(g) {}

    void OnGameMsg(const GameMsg &msg) override;
    void OnDisconnect() override;
    void BeginRecords() override;
    void EndRecords() override;
    bool Holding() const override;
    // After record number `record` of type `type`, or after the link's end (record -1).
    void Audit(int record, int type);

    CMj *game;
    int records = 0;
    std::string broken; // empty while every bound held
};
