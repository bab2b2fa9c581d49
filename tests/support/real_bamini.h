#pragma once
// Bamini text typed by people, not by us, with its Unicode written by hand from Tamil
// spelling (as typed: a typist's ஜீலை stays ஜீலை). Escapes of the sources' own languages
// (SQL, Java) are undone. The lines carry the Grantha letters, uu forms, the kaal of ra,
// the signs that stand before their letter, and codes the keyboard never makes ("H").
//
// Sources, all public repositories:
//  - an election database of Sri Lanka, its parties in English, Sinhala and Bamini
//    (a phpMyAdmin SQL dump, table `parties`);
//  - the "objectives" screen of a Tamil Nadu charity's Android app, set in Bamini.TTF;
//  - an application form of a Tamil Nadu workers' welfare board (a PHP template);
//  - general-knowledge questions of a quiz app for Tamil Nadu's service examinations;
//  - a page of a Tamil Nadu examination notice, extracted from its PDF, kept in an OCR
//    library's tests.

namespace orvane::test {

struct RealBaminiLine {
    const char* bamini;
    const char* unicode;
    const char* written = nullptr;  // what Orvane writes for the Unicode, when not the same
};

inline constexpr RealBaminiLine RealBamini[] = {
    // The election database.
    {"mfpy  ,yq;if  jkpo; fhq;fpu];", "அகில  இலங்கை  தமிழ் காங்கிரஸ்"},
    {"<Nuh];  [dehaf  Kd;dzp", "ஈரோஸ்  ஜனநாயக  முன்னணி"},
    {"vf;rj;  yq;fh  nghJ[d  gf;\\a", "எக்சத்  லங்கா  பொதுஜன  பக்ஷய"},
    {"et  yq;fh  epj`];  gf;\\a", "நவ  லங்கா  நிதஹஸ்  பக்ஷய"},
    {"et  rp`y  cWka", "நவ  சிஹல  உறுமய"},
    {"gptpj;JU  n`y  cWka", "பிவித்துரு  ஹெல  உறுமய"},
    {"Kd;dpiy  Nrh\\yp]  fl;rp", "முன்னிலை  சோஷலிஸ  கட்சி"},
    {"k`[d  vf;rj;  nguKd", "மஹஜன  எக்சத்  பெரமுன"},
    {"yq;fh  K];ypk;  fhq;fpu];", "லங்கா  முஸ்லிம்  காங்கிரஸ்"},
    {"yq;fh  nfhkpA+dp];l;  fl;rp", "லங்கா  கொமியூனிஸ்ட்  கட்சி"},
    {"yq;fh  r%f  [dehaff; fl;rp", "லங்கா  சமூக  ஜனநாயகக் கட்சி"},
    {"<otu;  [dehaf  Kd;dzp", "ஈழவர்  ஜனநாயக  முன்னணி", "<oth;  [dehaf  Kd;dzp"},
    {"Njr  tpKf;jp  [djh  gf;\\a", "தேச  விமுக்தி  ஜனதா  பக்ஷய"},
    {"[hjpf  rq;tu;jd  nguKd", "ஜாதிக  சங்வர்தன  பெரமுன", "[hjpf  rq;th;jd  nguKd"},
    {"rpq;fsjPg  [hjpf;f  nguKz", "சிங்களதீப  ஜாதிக்க  பெரமுண"},
    {"If;fpa  Njrpa  $l;likg;G", "ஐக்கிய  தேசிய  கூட்டமைப்பு"},
    {",yq;if  njhopyhsu;  fhq;fpu]; (murpay;  gpupT)", "இலங்கை  தொழிலாளர்  காங்கிரஸ் (அரசியல்  பிரிவு)",
     ",yq;if  njhopyhsh;  fhq;fpu]; (murpay;  gphpT)"},
    // The charity's app.
    {"my;yh`;tpd; ghijapy; ePq;fs; nryT nra;Aq;fs;", "அல்லாஹ்வின் பாதையில் நீங்கள் செலவு செய்யுங்கள்"},
    {"K];ypk;fspd; <ifg; gz;Gfspy; kpf Kf;fpakhdJ ]jfh (jHkk;).",
     "முஸ்லிம்களின் ஈகைப் பண்புகளில் மிக முக்கியமானது ஸதகா (தர்மம்).",
     "K];ypk;fspd; <ifg; gz;Gfspy; kpf Kf;fpakhdJ ]jfh (jh;kk;)."},
    {"ekJ}H Nkyg;ghisaj;jpy; epiwa mikg;Gfs; gy ey;y tp\\aq;fis nra;J tUfpd;wJ.",
     "நமதூர் மேலப்பாளையத்தில் நிறைய அமைப்புகள் பல நல்ல விஷயங்களை செய்து வருகின்றது.",
     "ekJ}h; Nkyg;ghisaj;jpy; epiwa mikg;Gfs; gy ey;y tp\\aq;fis nra;J tUfpd;wJ."},
    {"Nehd;G fhyq;fspy; [f;fhj; kw;Wk; ]jfh.", "நோன்பு காலங்களில் ஜக்காத் மற்றும் ஸதகா."},
    {"ehk; rl;lg;gb hp[p];lh; nra;ahjjhy;", "நாம் சட்டப்படி ரிஜிஸ்டர் செய்யாததால்"},
    {"Viof; FkHfSf;F jpUkz cjtp.", "ஏழைக் குமர்களுக்கு திருமண உதவி.", "Viof; Fkh;fSf;F jpUkz cjtp."},
    // The welfare board's form.
    {"jkpo;ehL fl;Lkhdk; mikg;Grhuh xl;LeH; kw;Wk; ,ju 15 clYiog;G njhopyhsH eythhpaq;fs;",
     "தமிழ்நாடு கட்டுமானம் அமைப்புசாரா ஒட்டுநர் மற்றும் இதர 15 உடலுழைப்பு தொழிலாளர் நலவாரியங்கள்",
     "jkpo;ehL fl;Lkhdk; mikg;Grhuh xl;Leh; kw;Wk; ,ju 15 clYiog;G njhopyhsh; eythhpaq;fs;"},
    {"cWg;gpduhf gjpT nra;Js;s thhpaj;jpd; ngah;", "உறுப்பினராக பதிவு செய்துள்ள வாரியத்தின் பெயர்"},
    {"NkNy mspf;fg;gl;l tpguq;fs; midj;Jk; cz;ikahdit vd ehd; rhd;W mspf;fpNwd;.",
     "மேலே அளிக்கப்பட்ட விபரங்கள் அனைத்தும் உண்மையானவை என நான் சான்று அளிக்கிறேன்."},
    {"gzpr;rhd;W toq;f mDkjpf;fg;gl;l mYtyHfs;.", "பணிச்சான்று வழங்க அனுமதிக்கப்பட்ட அலுவலர்கள்.",
     "gzpr;rhd;W toq;f mDkjpf;fg;gl;l mYtyh;fs;."},
    {"jtwhd rhd;wspg;G rl;l eltbf;iff;F cl;gl;lJ", "தவறான சான்றளிப்பு சட்ட நடவடிக்கைக்கு உட்பட்டது"},
    // The quiz app.
    {"fOF Fwpj;j fzf;nfLg;Gfspy; vJ cz;ik?", "கழுகு குறித்த கணக்கெடுப்புகளில் எது உண்மை?"},
    {"2024-2025 epjpahz;Lf;fhd gl;n[l;by; kjpg;gplg;gl;l nkhj;j nryT vt;tsT?",
     "2024-2025 நிதியாண்டுக்கான பட்ஜெட்டில் மதிப்பிடப்பட்ட மொத்த செலவு எவ்வளவு?"},
    {"ghuj uj;dh gw;wpa $w;Wfspy; vJ cz;ik?", "பாரத ரத்னா பற்றிய கூற்றுகளில் எது உண்மை?"},
    {"1. jkpo;nkhopapy; rpwe;j E}y;fs; ntsptUtij Cf;fg;gLj;Jk; tifapy; 33 tifg;ghLfspy; rpwe;j "
     "gilg;G mspj;j E}yhrphpah;fSf;Fk; gjpg;ghsh;fSf;Fk; Mz;LNjhWk; ghpR toq;fg;gLfpwJ.",
     "1. தமிழ்மொழியில் சிறந்த நூல்கள் வெளிவருவதை ஊக்கப்படுத்தும் வகையில் 33 வகைப்பாடுகளில் சிறந்த "
     "படைப்பு அளித்த நூலாசிரியர்களுக்கும் பதிப்பாளர்களுக்கும் ஆண்டுதோறும் பரிசு வழங்கப்படுகிறது."},
    {"Njrpa Flw;GO ePf;f ehs; Mz;LNjhWk; khh;r; (k) [Piy khjq;fspy; filg;gpbf;fg;gLfpwJ",
     "தேசிய குடற்புழு நீக்க நாள் ஆண்டுதோறும் மார்ச் (ம) ஜீலை மாதங்களில் கடைப்பிடிக்கப்படுகிறது"},
    {"3. ghjpf;fg;gl;l gFjpapy; trpg;gth;fSf;F ,ytr jLg;G kUe;J tOq;Ftjd; %yk; Neha; guTtijj; jLg;gJ.",
     "3. பாதிக்கப்பட்ட பகுதியில் வசிப்பவர்களுக்கு இலவச தடுப்பு மருந்து வழுங்குவதன் மூலம் நோய் "
     "பரவுவதைத் தடுப்பது."},
    {"epzePh; ahidf;fhy; Neha; gw;wpa $w;Wfspy; vJ cz;ik?", "நிணநீர் யானைக்கால் நோய் பற்றிய கூற்றுகளில் எது உண்மை?"},
    {"m[;kPh", "அஜ்மீர", "m[;kPu"},  // an answer cut short; the kaal after ii can only be ra
    {"jpUg;G+h", "திருப்பூர", "jpUg;G+u"},
    // The examination notice.
    {"jkpo;ehL muRg; gzpahsh; Njh;thizak; F&g; - 2 Kjy;epiy kw;Wk; Kjd;ik",
     "தமிழ்நாடு அரசுப் பணியாளர் தேர்வாணையம் குரூப் - 2 முதல்நிலை மற்றும் முதன்மை"},
    {"Njh;TfSf;fhd fhnzhyp fhl;rp gjpTfs; xypg;gjpT ghlf;Fwpg;Gfs; khjphp Njh;T",
     "தேர்வுகளுக்கான காணொலி காட்சி பதிவுகள் ஒலிப்பதிவு பாடக்குறிப்புகள் மாதிரி தேர்வு"},
};

} // namespace orvane::test
