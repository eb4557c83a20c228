#include "combat/combat_record.h"

#include "fs/data_file.h"
#include "script/script_io.h"

using namespace scriptio;

namespace {

bool readFlag(DataFile& file) { return readInt(file) != 0; }

} // namespace

bool readEnemy(DataFile& file, EnemyRecord& e) {
    e = EnemyRecord();
    std::string token;
    while (readValue(file, token)) {
        if (token == "END") return true;
        if (token == "NAME:") {
            e.name = emptyIfBlank(lineValue(file));
            if (e.name.empty()) e.name = "Enemy"; // a plate with no name reads badly
        } else if (token == "DESCRIPTOR:") {
            e.descriptor = emptyIfBlank(lineValue(file));
        } else if (token == "CS:") {
            e.cs = readInt(file);
        } else if (token == "EP:") {
            e.ep = readInt(file);
        } else if (token == "IMMUNETOMB:") {
            e.immuneToMindblast = readFlag(file);
        } else if (token == "IMMUNETOPS:") {
            e.immuneToPsiSurge = readFlag(file);
        } else if (token == "IMMUNETOKS:") {
            e.immuneToVaelSurge = readFlag(file);
        } else if (token == "SUSCEPT_MB:") {
            e.susceptibleToMindblast = readFlag(file);
        } else if (token == "SUSCEPT_PS:") {
            e.susceptibleToPsiSurge = readFlag(file);
        } else if (token == "SUSCEPT_KS:") {
            e.susceptibleToVaelSurge = readFlag(file);
        } else if (token == "EPBUTTONID:") {
            e.epButtonId = readInt(file);
        }
    }
    return false;
}

bool writeEnemy(int level, DataFile& file, const EnemyRecord& e) {
    std::string text;
    keyLine(text, "NAME: ", blankIfEmpty(e.name));
    keyLine(text, "DESCRIPTOR: ", blankIfEmpty(e.descriptor));
    keyLine(text, "CS: ", e.cs);
    keyLine(text, "EP: ", e.ep);
    keyLine(text, "IMMUNETOMB: ", flag(e.immuneToMindblast));
    keyLine(text, "IMMUNETOPS: ", flag(e.immuneToPsiSurge));
    keyLine(text, "IMMUNETOKS: ", flag(e.immuneToVaelSurge));
    keyLine(text, "SUSCEPT_MB: ", flag(e.susceptibleToMindblast));
    keyLine(text, "SUSCEPT_PS: ", flag(e.susceptibleToPsiSurge));
    keyLine(text, "SUSCEPT_KS: ", flag(e.susceptibleToVaelSurge));
    keyLine(text, "EPBUTTONID: ", e.epButtonId);
    text += "END\n";
    return writeText(level + 1, file, text);
}

bool readModifier(DataFile& file, CombatModifier& m, const ConditionTypes& types) {
    m = CombatModifier();
    std::string token;
    while (readValue(file, token)) {
        if (token == "END") return true;
        if (token == "NAME:") {
            m.name = emptyIfBlank(lineValue(file));
        } else if (token == "VALUE:") {
            m.value = readInt(file);
        } else if (token == "EQUATION:") {
            m.equation = emptyIfBlank(lineValue(file));
        } else if (token == "AFFECT_WHAT:") {
            m.affectWhat = readInt(file);
        } else if (token == "AFFECT_ENEMY:") {
            m.affectEnemy = readFlag(file);
        } else if (token == "LENGTH_OF_EFFECT:") {
            m.lengthOfEffect = readInt(file);
        } else if (token == "BEGIN_ON_ROUND:") {
            m.beginOnRound = readInt(file);
        } else if (token == "CONDITIONS:") {
            if (!readConditionList(file, readInt(file), m.conditions, types)) return false;
        } else if (token == "EXCL_WEAPON_ID:") {
            m.exclWeaponId = readInt(file);
        } else if (token == "FROM_EQ_WEAP:") {
            m.fromEqWeap = readInt(file);
        }
    }
    return false;
}

bool writeModifier(int level, DataFile& file, const CombatModifier& m, bool combatStarted) {
    const int inner = level + 1;
    std::string text;
    keyLine(text, "NAME: ", blankIfEmpty(m.name));
    keyLine(text, "VALUE: ", m.value);
    keyLine(text, "EQUATION: ", blankIfEmpty(m.equation));
    keyLine(text, "AFFECT_WHAT: ", m.affectWhat);
    keyLine(text, "AFFECT_ENEMY: ", flag(m.affectEnemy));
    keyLine(text, "LENGTH_OF_EFFECT: ", m.lengthOfEffect);
    keyLine(text, "BEGIN_ON_ROUND: ", m.beginOnRound);
    keyLine(text, "CONDITIONS: ", static_cast<int>(m.conditions.size()));
    bool ok = writeText(inner, file, text);
    ok = writeConditionList(inner, file, m.conditions) && ok;
    // Weapon modifiers are added by the rules once the fight is on; a script's
    // own modifiers never carry these keys.
    if (combatStarted) {
        ok = writeText(inner + 1, file, "EXCL_WEAPON_ID: " + std::to_string(m.exclWeaponId) + "\n") && ok;
        ok = writeText(inner + 1, file, "FROM_EQ_WEAP: " + std::to_string(m.fromEqWeap) + "\n") && ok;
    }
    return writeText(inner, file, "END\n") && ok;
}

bool readCombat(DataFile& file, CombatRecord& c, const ConditionTypes& types) {
    c.reset();
    std::string token;
    while (readValue(file, token)) {
        if (token == "END") return true;
        if (token == "COMBAT_TITLE:") {
            c.title = emptyIfBlank(lineValue(file));
        } else if (token == "SPECIAL:") {
            c.specialType = readInt(file);
        } else if (token == "UNARMED_X:") {
            c.unarmed = readInt(file);
        } else if (token == "POTIONS_ARE_ALLOWED:") {
            c.potionsAllowed = readFlag(file);
        } else if (token == "ENEMIES:") {
            const int count = boundedCount(readInt(file), MAX_RECORD_LIST);
            for (int i = 0; i < count && !atRecordEnd(file); ++i) {
                EnemyRecord e;
                const bool complete = readEnemy(file, e);
                c.enemies.push_back(std::move(e));
                if (!complete) return false;
            }
        } else if (token == "ON_ENEMY_NUMBER:") {
            c.currentEnemy = readInt(file);
        } else if (token == "ROUNDS_FINISHED:") {
            c.roundsFinished = readInt(file);
        } else if (token == "COMBAT_IS_STARTED:") {
            c.started = readFlag(file);
        } else if (token == "WON:") {
            c.won = readFlag(file);
        } else if (token == "ENEMY_EP_LOST:") {
            c.enemyEpLost = readInt(file);
        } else if (token == "GS_EP_LOST:") {
            c.heroEpLost = readInt(file);
        } else if (token == "GS_EP_LOSS:") {
            c.heroLoss = readInt(file);
        } else if (token == "EN_EP_LOSS:") {
            c.enemyLoss = readInt(file);
        } else if (token == "USED_CS_BOOSTER:") {
            c.usedCsBooster = readFlag(file);
        } else if (token == "USED_ADGANA:") {
            c.usedAdgana = readFlag(file);
        } else if (token == "MODIFIERS:") {
            const int count = boundedCount(readInt(file), MAX_RECORD_LIST);
            for (int i = 0; i < count && !atRecordEnd(file); ++i) {
                CombatModifier m;
                const bool complete = readModifier(file, m, types);
                c.modifiers.push_back(std::move(m));
                if (!complete) return false;
            }
        }
    }
    return false;
}

bool writeCombat(int level, DataFile& file, const CombatRecord& c) {
    if (c.enemies.empty()) return writeText(level, file, "COMBAT\nEND\n");
    std::string text = "COMBAT\n";
    keyLine(text, "COMBAT_TITLE: ", blankIfEmpty(c.title));
    keyLine(text, "SPECIAL: ", c.specialType);
    keyLine(text, "UNARMED_X: ", c.unarmed);
    keyLine(text, "POTIONS_ARE_ALLOWED: ", flag(c.potionsAllowed));
    keyLine(text, "ENEMIES: ", static_cast<int>(c.enemies.size()));
    bool ok = writeText(level, file, text);
    for (const EnemyRecord& e : c.enemies) ok = writeEnemy(level, file, e) && ok;
    text.clear();
    keyLine(text, "ON_ENEMY_NUMBER: ", c.currentEnemy);
    keyLine(text, "ROUNDS_FINISHED: ", c.roundsFinished);
    keyLine(text, "COMBAT_IS_STARTED: ", flag(c.started));
    keyLine(text, "WON: ", flag(c.won));
    keyLine(text, "ENEMY_EP_LOST: ", c.enemyEpLost);
    keyLine(text, "GS_EP_LOST: ", c.heroEpLost);
    keyLine(text, "GS_EP_LOSS: ", c.heroLoss);
    keyLine(text, "EN_EP_LOSS: ", c.enemyLoss);
    keyLine(text, "USED_CS_BOOSTER: ", flag(c.usedCsBooster));
    keyLine(text, "USED_ADGANA: ", flag(c.usedAdgana));
    keyLine(text, "MODIFIERS: ", static_cast<int>(c.modifiers.size()));
    ok = writeText(level, file, text) && ok;
    for (const CombatModifier& m : c.modifiers) ok = writeModifier(level, file, m, c.started) && ok;
    return writeText(level, file, "END\n") && ok;
}
