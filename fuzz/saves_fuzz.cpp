// The save readers: character record, resume file, campaign file and the
// timestamp file. Whatever the input, counts stay bounded, item IDs stay in
// the catalogue, and a resume that reads as sound writes back and reads again.
#include "app/game_state.h"
#include "fuzz_registries.h"
#include "fuzz_support.h"
#include "save/save_files.h"

namespace {

const Catalogues& catalogues() {
    static const Catalogues cat = [] {
        Catalogues c;
        for (int i = 0; i < 12; ++i) {
            Item it;
            it.id = i;
            it.name = "Item " + std::to_string(i);
            it.type = i % 4;
            c.items.push_back(it);
        }
        c.conditionTypes = fuzzConditionTypes();
        c.effectTypes = fuzzEffectTypes();
        return c;
    }();
    return cat;
}

void checkHero(const Character& c) {
    FUZZ_CHECK(c.onBook >= 1 && c.onBook <= 20);
    for (const std::vector<Item>* list :
         {&c.backpackItems, &c.specialItems, &c.weapons, &c.storageItems, &c.lostItems}) {
        FUZZ_CHECK(list->size() <= 4096);
        for (const Item& it : *list)
            FUZZ_CHECK(it.id >= 0 && it.id < 12);
    }
    FUZZ_CHECK(c.travelLog.size() <= 20000);
    FUZZ_CHECK(c.battleLog.size() <= 4096);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const Catalogues& cat = catalogues();
    const int which = size > 0 ? data[0] >> 6 : 0;
    DataFile f = fuzzFile(data, size, "resume1.txt", "resume1.dat");
    switch (which) {
    case 0: {
        ResumeData d;
        if (readResume(f, cat, d)) {
            checkHero(d.character);
            FUZZ_CHECK(d.draws >= 0 && d.draws <= 10000000);
            // What was read writes back and reads the same way again.
            GameState g;
            g.character = d.character;
            g.rules = d.rules;
            g.combat = d.combat;
            g.campaign.books = d.books;
            g.campaign.view = d.view;
            DataFile out = openMemoryWrite("again.dat");
            writeResume(out, g);
            DataFile in = openMemoryRead(out.data, "again.dat");
            ResumeData again;
            FUZZ_CHECK(readResume(in, cat, again));
            FUZZ_CHECK(again.character.onSection == d.character.onSection);
        }
        break;
    }
    case 1: {
        CampaignData c;
        readCampaign(f, cat, c);
        FUZZ_CHECK(c.records.size() <= 64);
        for (const Character& hero : c.records)
            checkHero(hero);
        break;
    }
    case 2: {
        Timestamps t;
        readTimestamps(f, t);
        break;
    }
    default: {
        Character hero;
        readCharacter(f, hero, cat.items);
        checkHero(hero);
        break;
    }
    }
    return 0;
}
