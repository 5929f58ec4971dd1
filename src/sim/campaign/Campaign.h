#pragma once
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

class IniFile;
struct StartupConfig;

// The campaign: levels grouped into sets that are played in order. Read from
// a file like assets/settings/campaign.ini:
//
//     [campaign]
//     sets = 2
//     [set1]
//     name = First Steps
//     levels = 0 5 6
//     [set2]
//     ...
//
// Levels are named by their level setting (the N of level<N>.ini).
struct CampaignSet {
    std::string name;
    std::vector<std::string> levels;
};

struct Campaign {
    std::vector<CampaignSet> sets;

    // Every level of every set, in playing order.
    std::vector<std::string> order() const;
    bool contains(const std::string& level) const;
};

// Missing sets or keys give empty sets; nothing is validated here (the
// campaign test checks the shipped file).
Campaign readCampaign(const IniFile& file);

// The level N (next level) loads after `level`: the next one in campaign order
// whose file exists, wrapping from the last set's last level to the first
// level; a level outside the campaign (or an empty campaign) is followed in
// numeric order, as without a campaign. `level` itself when nothing else exists.
std::string campaignNext(const Campaign& campaign, const std::string& level,
                         const std::function<bool(const std::string&)>& levelExists);

// The campaign the settings' campaign key names, read afresh (a missing file,
// or one the file checks refuse with a line on `log`, has no sets); without
// the key, none.
Campaign campaignOf(const StartupConfig& config, std::ostream& log);

// N as the game does it: with the settings' campaign key set, the campaign
// file is read afresh and followed (a missing file, or one the file checks
// refuse with a line on `log`, lists nothing: the numeric order); without
// the key, the next number.
std::string levelAfter(const StartupConfig& config, const std::function<bool(const std::string&)>& levelExists,
                       std::ostream& log);
