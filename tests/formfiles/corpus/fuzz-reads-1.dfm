object TTestModule
  object E: TTestWidget
    Caption = 'fTTeW1nnnnnnd'
  end
end 