#include "character/rule_options.h"

#include "fs/data_file.h"
#include "fs/record_fields.h"

#include <algorithm>
#include <string>

namespace {

using R = RuleOptions;

RuleOptionInfo intOption(const char* key, const char* label, int maxValue, int R::*field) {
    return {key, label, maxValue, field, nullptr};
}

RuleOptionInfo boolOption(const char* key, const char* label, bool R::*field) {
    return {key, label, 1, nullptr, field};
}

// One preset column: the options it fixes and their values. Hardcore accepts
// either of two initial-stats methods, handled where it is compared.
struct PresetValue {
    int R::*field;
    int value;
    bool thirdTier; // one of the "GM_" options
};

const std::vector<PresetValue>& byTheBookValues() {
    static const std::vector<PresetValue> V = {
        {&R::weaponRules, 0, false},        {&R::armorRules, 0, false},
        {&R::healWithMeal, 0, false},       {&R::healStacking, 0, false},
        {&R::healingRules, 0, false},       {&R::initialStats, 0, false},
        {&R::limitedDisciplines, 0, false}, {&R::loreCirclesHc, 0, false},
        {&R::dualWield, 0, false},          {&R::limitSi, 0, false},
        {&R::extendedCrt, 0, false},        {&R::extraStorage, 0, false},
        {&R::wsStacking, 0, false},         {&R::shieldOnArm, 1, false},
        {&R::gmStatsTransfer, 1, true},     {&R::gmItemImport, 0, true},
        {&R::gmExtraDiscBonus, 0, true},
    };
    return V;
}

const std::vector<PresetValue>& hardcoreValues() {
    static const std::vector<PresetValue> V = {
        {&R::weaponRules, 1, false},        {&R::armorRules, 0, false},
        {&R::healWithMeal, 0, false},       {&R::healStacking, 0, false},
        {&R::healingRules, 0, false},       {&R::initialStats, 1, false},
        {&R::limitedDisciplines, 1, false}, {&R::loreCirclesHc, 1, false},
        {&R::dualWield, 0, false},          {&R::limitSi, 1, false},
        {&R::extendedCrt, 0, false},        {&R::extraStorage, 0, false},
        {&R::wsStacking, 0, false},         {&R::shieldOnArm, 0, false},
        {&R::gmStatsTransfer, 0, true},     {&R::gmItemImport, 0, true},
        {&R::gmExtraDiscBonus, 1, true},
    };
    return V;
}

const std::vector<PresetValue>& prodigyValues() {
    static const std::vector<PresetValue> V = {
        {&R::weaponRules, 2, false},        {&R::armorRules, 0, false},
        {&R::healWithMeal, 1, false},       {&R::healStacking, 0, false},
        {&R::healingRules, 0, false},       {&R::initialStats, 3, false},
        {&R::limitedDisciplines, 0, false}, {&R::loreCirclesHc, 1, false},
        {&R::dualWield, 0, false},          {&R::limitSi, 2, false},
        {&R::extendedCrt, 0, false},        {&R::extraStorage, 1, false},
        {&R::wsStacking, 0, false},         {&R::shieldOnArm, 1, false},
        {&R::gmStatsTransfer, 2, true},     {&R::gmItemImport, 1, true},
        {&R::gmExtraDiscBonus, 1, true},
    };
    return V;
}

// The two boolean options the presets also fix.
struct PresetFlags {
    bool allowMidSaves;
    bool allowGuidedRtn;
};
constexpr PresetFlags BTB_FLAGS{false, false};
constexpr PresetFlags HARDCORE_FLAGS{false, false};
constexpr PresetFlags PRODIGY_FLAGS{false, true};

void applyPreset(R& rules, const std::vector<PresetValue>& values, PresetFlags flags) {
    for (const PresetValue& p : values)
        rules.*p.field = p.value;
    rules.allowMidSaves = flags.allowMidSaves;
    rules.allowGuidedRtn = flags.allowGuidedRtn;
}

bool matchesPreset(const R& rules, const std::vector<PresetValue>& values, PresetFlags flags,
                   bool ignoreThirdTier, bool ignoreShield) {
    for (const PresetValue& p : values) {
        if (ignoreThirdTier && p.thirdTier) continue;
        if (ignoreShield && p.field == &R::shieldOnArm) continue;
        if (rules.*p.field != p.value) return false;
    }
    return rules.allowMidSaves == flags.allowMidSaves &&
           rules.allowGuidedRtn == flags.allowGuidedRtn;
}

} // namespace

const std::vector<RuleOptionInfo>& ruleOptionInfos() {
    static const std::vector<RuleOptionInfo> INFOS = {
        intOption("WEAPON_RULES:", "Weapon Rules:", 2, &R::weaponRules),
        intOption("ARMOR_RULES:", "Armor Rules:", 2, &R::armorRules),
        intOption("ARMOR_REMOVAL:", "*Use Generous Armor Removal Method:", 1, &R::armorRemoval),
        intOption("HEAL_WITH_MEAL:", "Heal starvation with Meals:", 1, &R::healWithMeal),
        intOption("HEAL_STACKING:", "Weaponskill / Healing Stacking:", 1, &R::healStacking),
        intOption("HEALING_RULES:", "Healing Discipline Rules:", 2, &R::healingRules),
        intOption("INTELLIGENT_DAMAGE:", "*Use Intelligent Damage:", 1, &R::intelligentDamage),
        intOption("INTELLIGENT_AUTOHEAL:", "*Use Intelligent Autoheal:", 1,
                  &R::intelligentAutoheal),
        intOption("INITIAL_STATS:", "Initial Stats Method:", 3, &R::initialStats),
        intOption("LIMITED_DISCIPLINES:", "Limited to Only 5 Disciplines:", 1,
                  &R::limitedDisciplines),
        intOption("LORE_CIRCLES_HC:", "Alternate Lore Circles Bonus:", 1, &R::loreCirclesHc),
        intOption("DUAL_WIELD:", "Allow Dual Wielding:", 1, &R::dualWield),
        intOption("LIMIT_SI:", "Special Items Limit Method:", 2, &R::limitSi),
        intOption("EXTENDED_CRT:", "Use Extended Combat Results Table:", 1, &R::extendedCrt),
        intOption("EXTRA_STORAGE:", "Provide Storage in all books:", 1, &R::extraStorage),
        intOption("WS_STACKING:", "Weaponskill / Healing Stacking:", 1, &R::wsStacking),
        intOption("SHIELD_ON_ARM:", "Treat Shields as wielded on arm:", 1, &R::shieldOnArm),
        boolOption("ALLOW_MINDBLAST:", "*Allow Which Psychic Bonuses:", &R::allowMindblast),
        boolOption("ALLOW_PSI_SURGE:", "*Allow Which Psychic Bonuses:", &R::allowPsiSurge),
        boolOption(
            "DOUBLE_PSYCHIC_BONUSES:", "*Allow Which Psychic Bonuses:", &R::doublePsychicBonuses),
        boolOption("ALLOW_ALETHER:", "*Allow Use of Alether:", &R::allowAlether),
        boolOption("ALLOW_SILVER_HELMET:", "*Allow Silver Helmet Bonus:", &R::allowSilverHelmet),
        boolOption("ALLOW_SUNBLADE:", "*Allow Sunblade / Shield Bonus:", &R::allowSunblade),
        boolOption("ALLOW_SHIELD:", "*Allow Sunblade / Shield Bonus:", &R::allowShield),
        boolOption("WM_BOW_CS_BOOST:", "*Bonus from Weaponmastery w/ Bow:", &R::wmBowCsBoost),
        boolOption("WM_BOW_RN_BOOST:", "*Bonus from Weaponmastery w/ Bow:", &R::wmBowRnBoost),
        boolOption(
            "WM_BOW_DAMAGE_BOOST:", "*Bonus from Weaponmastery w/ Bow:", &R::wmBowDamageBoost),
        boolOption("ALLOW_MID_SAVES:", "Allow Saving/Loading at any time:", &R::allowMidSaves),
        boolOption("ALLOW_GUIDED_RTN:", "Allow RNT 'guiding':", &R::allowGuidedRtn),
        intOption("GM_STATS_TRANSFER:", "CS/EP Stats Transfer:", 2, &R::gmStatsTransfer),
        intOption("GM_ITEM_IMPORT:", "Importing of Special Items:", 1, &R::gmItemImport),
        intOption("GM_EXTRA_DISC_BONUS:", "Extra GM 'per Discipline' Bonus:", 1,
                  &R::gmExtraDiscBonus),
    };
    return INFOS;
}

int ruleValue(const RuleOptions& rules, const RuleOptionInfo& info) {
    if (info.intField) return rules.*info.intField;
    return rules.*info.boolField ? 1 : 0;
}

void setRuleValue(RuleOptions& rules, const RuleOptionInfo& info, int value) {
    if (info.intField)
        rules.*info.intField = std::clamp(value, 0, info.maxValue);
    else
        rules.*info.boolField = value != 0;
}

bool changeableInCampaign(const RuleOptionInfo& info) {
    return info.label[0] == '*';
}

bool RuleOptions::operator==(const RuleOptions& o) const {
    for (const RuleOptionInfo& info : ruleOptionInfos())
        if (ruleValue(*this, info) != ruleValue(o, info)) return false;
    return true;
}

namespace {

// The block as read: the options and whether it carried the markers of the
// newer versions.
struct RulesBlock {
    RuleOptions rules;
    bool gmRulesNew = true;
    bool btbRulesNew = true;
};

const FieldTable<RulesBlock>& rulesFields() {
    static const FieldTable<RulesBlock> T = [] {
        std::vector<Field<RulesBlock>> rows;
        for (const RuleOptionInfo& info : ruleOptionInfos()) {
            if (info.intField) {
                int R::*m = info.intField;
                rows.push_back(intField<RulesBlock>(info.key, [m](RulesBlock& b) -> int& {
                                   return b.rules.*m;
                               }).clamp(0, info.maxValue));
            } else {
                bool R::*m = info.boolField;
                rows.push_back(boolField<RulesBlock>(
                    info.key, [m](RulesBlock& b) -> bool& { return b.rules.*m; }));
            }
        }
        rows.push_back(markerField("GM_RULES_NEW", &RulesBlock::gmRulesNew));
        rows.push_back(markerField("BTB_RULES_NEW", &RulesBlock::btbRulesNew));
        return FieldTable<RulesBlock>(std::move(rows));
    }();
    return T;
}

} // namespace

bool writeRules(const RuleOptions& rules, DataFile& file, int& nesting) {
    RecordWriter w(file, nesting);
    RulesBlock block;
    block.rules = rules;
    writeRecord(w, block, rulesFields());
    return w.ok();
}

bool readRules(DataFile& file, RuleOptions& rules) {
    RulesBlock block;
    block.gmRulesNew = false;
    block.btbRulesNew = false;
    const bool ended = readRecord(file, block, rulesFields()) == RecordEnd::Closed;
    rules = block.rules;
    // Blocks written before the third-tier options existed take them from the
    // preset the rest of the block matches.
    if (!block.gmRulesNew) {
        if (isByTheBook(rules, true))
            applyByTheBook(rules);
        else if (isHardcore(rules, true))
            applyHardcore(rules);
        else if (isProdigy(rules, true))
            applyProdigy(rules);
    }
    if (!block.btbRulesNew && isByTheBook(rules, true)) applyByTheBook(rules);
    return ended;
}

void applyByTheBook(RuleOptions& rules) {
    applyPreset(rules, byTheBookValues(), BTB_FLAGS);
}

void applyHardcore(RuleOptions& rules) {
    bool fixedHardcoreScores = rules.initialStats == 2;
    applyPreset(rules, hardcoreValues(), HARDCORE_FLAGS);
    if (fixedHardcoreScores) rules.initialStats = 2;
}

void applyProdigy(RuleOptions& rules) {
    applyPreset(rules, prodigyValues(), PRODIGY_FLAGS);
}

bool isByTheBook(const RuleOptions& rules, bool ignoreThirdTier) {
    return matchesPreset(rules, byTheBookValues(), BTB_FLAGS, ignoreThirdTier, ignoreThirdTier);
}

bool isHardcore(const RuleOptions& rules, bool ignoreThirdTier) {
    // The fixed hardcore scores are as hardcore as distributing the ten points.
    RuleOptions probe = rules;
    if (probe.initialStats == 2) probe.initialStats = 1;
    return matchesPreset(probe, hardcoreValues(), HARDCORE_FLAGS, ignoreThirdTier, false);
}

bool isProdigy(const RuleOptions& rules, bool ignoreThirdTier) {
    return matchesPreset(rules, prodigyValues(), PRODIGY_FLAGS, ignoreThirdTier, false);
}
