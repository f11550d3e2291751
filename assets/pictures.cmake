# The picture resources zr_artgen writes, by file; the resource name is the file name without
# its extension (.zrif: still picture, .zrvf: animation strip).
set(QORM_PICTURE_FILES
  ALT.zrif AMT.zrif ART.zrif ALM.zrif ARM.zrif ALB.zrif AMB.zrif ARB.zrif
  GLT.zrif GMT.zrif GRT.zrif GLM.zrif GRM.zrif GLB.zrif GMB.zrif GRB.zrif GMM.zrif
  BGND.zrif LOGOTYPE.zrif I41X89.zrif I91X17.zrif
  BIG.zrvf KNOB.zrvf TUNE.zrvf BUT.zrvf LOAD.zrvf PEEK.zrvf SAVE.zrvf
)
# The standalone host's window icon, written beside them.
set(QORM_ICON_FILE icon.ico)
